#pragma once
// Message boxes: a text, a title, a set of buttons, an icon and a default
// button, answered with the button the user chose.
#include <string>

namespace tagloom {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Icon { None, Information, Warning, Error, Question };
enum class Answer { Ok, Cancel, Yes, No, Retry };

struct Message {
    std::string text;
    std::string title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    int defaultButton = 0;  // 0-based index into the buttons, left to right

    bool operator==(const Message&) const = default;
};

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual Answer ask(const Message& message) = 0;
};

}  // namespace tagloom
