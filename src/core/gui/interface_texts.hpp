#pragma once
// Interface texts are data: each window has one table of its controls' German and English
// texts, and sets those of the language when it is made (see SetControlTexts). A row whose
// English text is nullptr shows its German text in both languages. The row named like the
// window itself holds the window's title.
namespace korvane {

struct ControlText {
    const char* objectName;
    const char* german;
    const char* english;
};

} // namespace korvane
