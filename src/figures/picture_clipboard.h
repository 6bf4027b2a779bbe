#pragma once

#include <QImage>

// The desktop's clipboard as the picture commands use it. The program
// passes the Qt platform; tests script a fake.
class PictureClipboard
{
public:
    virtual ~PictureClipboard() = default;

    virtual void setClipboardImage(const QImage &image) = 0;
    // A null image when the clipboard cannot give an image back.
    virtual QImage clipboardImage() = 0;
};
