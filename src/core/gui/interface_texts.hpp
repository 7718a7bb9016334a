#pragma once
// Interface texts are data: each window has one table of its controls' German texts (those it
// is created with) and English texts (put on top at run time). A row whose English text is
// nullptr keeps its German text in both languages. The row named like the window itself holds
// the window's title.
namespace korvane {

struct ControlText {
    const char* objectName;
    const char* german;
    const char* english;
};

} // namespace korvane
