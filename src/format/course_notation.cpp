#include "course_notation.h"

#include <algorithm>
#include <array>

namespace {

struct Spelling
{
    char32_t codePoint;
    const char *text;
};

// The course's lines name Greek letters after a backquote, write "`sqrt",
// "integral from a to b", "<=", "infinity", "->", "x^2" and "x_i"; the
// characters below are what a student pastes for those. Sorted by code point.
constexpr auto spellings = std::to_array<Spelling>({
    {U'\u0391', "`Alpha"},    {U'\u0392', "`Beta"},    {U'\u0393', "`Gamma"},
    {U'\u0394', "`Delta"},    {U'\u0395', "`Epsilon"}, {U'\u0396', "`Zeta"},
    {U'\u0397', "`Eta"},      {U'\u0398', "`Theta"},   {U'\u0399', "`Iota"},
    {U'\u039A', "`Kappa"},    {U'\u039B', "`Lambda"},  {U'\u039C', "`Mu"},
    {U'\u039D', "`Nu"},       {U'\u039E', "`Xi"},      {U'\u039F', "`Omicron"},
    {U'\u03A0', "`Pi"},       {U'\u03A1', "`Rho"},     {U'\u03A3', "`Sigma"},
    {U'\u03A4', "`Tau"},      {U'\u03A5', "`Upsilon"}, {U'\u03A6', "`Phi"},
    {U'\u03A7', "`Chi"},      {U'\u03A8', "`Psi"},     {U'\u03A9', "`Omega"},
    {U'\u03B1', "`alpha"},    {U'\u03B2', "`beta"},    {U'\u03B3', "`gamma"},
    {U'\u03B4', "`delta"},    {U'\u03B5', "`epsilon"}, {U'\u03B6', "`zeta"},
    {U'\u03B7', "`eta"},      {U'\u03B8', "`theta"},   {U'\u03B9', "`iota"},
    {U'\u03BA', "`kappa"},    {U'\u03BB', "`lambda"},  {U'\u03BC', "`mu"},
    {U'\u03BD', "`nu"},       {U'\u03BE', "`xi"},      {U'\u03BF', "`omicron"},
    {U'\u03C0', "`pi"},       {U'\u03C1', "`rho"},     {U'\u03C2', "`sigma"},
    {U'\u03C3', "`sigma"},    {U'\u03C4', "`tau"},     {U'\u03C5', "`upsilon"},
    {U'\u03C6', "`phi"},      {U'\u03C7', "`chi"},     {U'\u03C8', "`psi"},
    {U'\u03C9', "`omega"},    {U'\u03D1', "`theta"},   {U'\u03D5', "`phi"},
    {U'\u03D6', "`pi"},       {U'\u2010', "-"},        {U'\u2011', "-"},
    {U'\u2032', "'"},         {U'\u2033', "''"},       {U'\u2070', "^0"},
    {U'\u2074', "^4"},        {U'\u2075', "^5"},       {U'\u2076', "^6"},
    {U'\u2077', "^7"},        {U'\u2078', "^8"},       {U'\u2079', "^9"},
    {U'\u207A', "^+"},        {U'\u207B', "^-"},       {U'\u207F', "^n"},
    {U'\u2080', "_0"},        {U'\u2081', "_1"},       {U'\u2082', "_2"},
    {U'\u2083', "_3"},        {U'\u2084', "_4"},       {U'\u2085', "_5"},
    {U'\u2086', "_6"},        {U'\u2087', "_7"},       {U'\u2088', "_8"},
    {U'\u2089', "_9"},        {U'\u2126', "`Omega"},   {U'\u2153', "1/3"},
    {U'\u2154', "2/3"},       {U'\u2190', "<-"},       {U'\u2192', "->"},
    {U'\u21D2', "=>"},        {U'\u2206', "`Delta"},   {U'\u220F', "`Pi"},
    {U'\u2211', "`Sigma"},    {U'\u2212', "-"},        {U'\u2215', "/"},
    {U'\u2219', "*"},         {U'\u221A', "`sqrt"},    {U'\u221E', "infinity"},
    {U'\u222B', "integral "}, {U'\u2248', "~="},       {U'\u2260', "!="},
    {U'\u2264', "<="},        {U'\u2265', ">="},       {U'\u22C5', "*"},
});

static_assert(std::ranges::is_sorted(spellings, {}, &Spelling::codePoint));

} // namespace

QByteArrayView courseSpelling(char32_t codePoint)
{
    const auto found = std::ranges::lower_bound(spellings, codePoint, {}, &Spelling::codePoint);
    if (found == spellings.end() || found->codePoint != codePoint)
        return {};
    return QByteArrayView(found->text);
}
