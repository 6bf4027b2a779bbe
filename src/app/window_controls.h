#pragma once

#include <QRect>
#include <QSize>

#include <array>

enum class ControlKind
{
    Pane,
    Button,
    Picture,
    Label,
    OneLineLabel,
    List,
    Field
};

// One control of the window: its name, its caption (or the starting text of
// a pane or a field) and its place in twips from the top-left corner of the
// client area.
struct WindowControl
{
    ControlKind kind;
    const char *name;
    const char *caption;
    QRect twips;
};

// The client area in twips.
inline constexpr QSize windowTwips(10875, 8595);

// Every control of the window, in the order the window makes them, which is
// also their stacking order where they touch.
inline constexpr std::array<WindowControl, 25> windowControls = {{
    {ControlKind::Pane, "txt_question", "", {240, 720, 5175, 3255}},
    {ControlKind::Pane, "txt_answer", " ", {5640, 720, 5055, 3255}},
    {ControlKind::Button, "cmdNextQuestion", "Next Question / Answer", {240, 0, 975, 735}},
    {ControlKind::Button, "cmd_display_note_file", "display notes", {2400, 240, 135, 495}},
    {ControlKind::Button, "cmd_displayCumulativeText", "display SEND file", {4440, 240, 915, 495}},
    {ControlKind::Button, "cmd_enter_response", "Enter Response", {5640, 240, 855, 495}},
    {ControlKind::Button, "cmd_save_as_notes", "Save as Notes", {6480, 240, 855, 495}},
    {ControlKind::Button, "cmd_clr_answer", "clear answer", {8880, 240, 735, 495}},
    {ControlKind::Button, "cmd_quit", "quit program", {10200, 0, 735, 495}},
    {ControlKind::Picture, "Picture1", "", {240, 4080, 5175, 3375}},
    {ControlKind::Picture, "Picture2", "", {5640, 4080, 5055, 3375}},
    {ControlKind::Label, "lbl_only_if_prompted", "click only if prompted", {240, 7560, 855, 495}},
    {ControlKind::Button, "cmd_next_picture", "next picture", {1200, 7560, 855, 495}},
    {ControlKind::Button, "cmd_copy_picture", "copy picture", {1200, 8160, 855, 495}},
    {ControlKind::Button, "cmd_timerTrigger", "Trigger Timer", {2400, 7560, 735, 495}},
    {ControlKind::List, "List1", "", {3120, 7680, 1695, 840}},
    // The parameter boxes: index 0 and 1 on the left, 2 and 3 on the right.
    {ControlKind::OneLineLabel, "lbl_parameter_0", "Parameter 1", {5640, 7680, 900, 195}},
    {ControlKind::Field, "txt_parameter_0", "1", {6720, 7680, 300, 285}},
    {ControlKind::OneLineLabel, "lbl_parameter_1", "Parameter 2", {5640, 8160, 855, 195}},
    {ControlKind::Field, "txt_parameter_1", "1", {6720, 8160, 300, 285}},
    {ControlKind::OneLineLabel, "lbl_parameter_2", "Parameter 3", {7200, 7680, 1005, 195}},
    {ControlKind::Field, "txt_parameter_2", "1", {8205, 7680, 300, 285}},
    {ControlKind::OneLineLabel, "lbl_parameter_3", "Parameter 4", {7200, 8160, 900, 195}},
    {ControlKind::Field, "txt_parameter_3", "1", {8205, 8160, 300, 285}},
    {ControlKind::Button, "cmd_pend_exp", "pend exp", {8640, 7560, 495, 375}},
}};

// Twips to pixels, 15 to a pixel.
constexpr QRect toPixels(const QRect &twips)
{
    return {twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15};
}

constexpr QSize toPixels(const QSize &twips)
{
    return {twips.width() / 15, twips.height() / 15};
}

// The entry of the control of that name; it must be in the table.
const WindowControl &windowControl(const char *name);
