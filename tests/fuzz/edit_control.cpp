// Random operations on the edit control, with the editor's undo archive
// following it, checked against a plain string: every edit that reports a
// change has replaced exactly the selection (or removed next to the caret),
// nothing else touches the text, and Undo and Redo walk back and forth
// through the texts the edits made.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "commands/CommandRouter.h"
#include "platform/Clock.h"
#include "resources/CommandIds.h"
#include "textmodel/EditControl.h"
#include "view/UndoCommands.h"

using namespace tagloom;

namespace {

class StepClock : public Clock {
public:
    std::int64_t nowMs() const override { return now; }
    std::int64_t now = 0;
};

enum class Op {
    TypeText,
    TypeCharacters,
    ReplaceSel,
    SetSel,
    DeleteBack,
    DeleteForward,
    MoveCaret,
    ClickAt,
    Clear,
    Undo,
    Redo,
    SetWordWrap,
    SetClientSize,
    SetReadOnly,
    LimitText,
    kMaxValue = LimitText
};

// Counts the change notifications, so a replacement that happens to give the
// same text still counts as an undo step.
class ChangeCounter : public EditObserver {
public:
    void onChange(const TextChange&) override { ++changes; }
    int changes = 0;
};

// Whether `after` is `before` with [from, to) replaced by something.
bool replacedRange(const std::string& before, const std::string& after, int from, int to) {
    const std::size_t suffix = before.size() - static_cast<std::size_t>(to);
    return after.size() >= static_cast<std::size_t>(from) + suffix &&
           after.compare(0, static_cast<std::size_t>(from), before, 0, static_cast<std::size_t>(from)) == 0 &&
           after.compare(after.size() - suffix, suffix, before, static_cast<std::size_t>(to), suffix) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    EditControl control;
    control.setClientSize(input.ConsumeIntegralInRange(0, 2000), input.ConsumeIntegralInRange(0, 2000));
    control.setText(input.ConsumeRandomLengthString(256));
    StepClock clock;
    CommandRouter router;
    UndoCommands undo(control, clock, UndoListener{[] {}, [] {}, [] {}}, router);

    ChangeCounter counter;
    control.addObserver(counter);
    std::vector<std::string> history{control.getText()};  // the texts Undo and Redo step through
    std::size_t current = 0;
    for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
        clock.now += 1000;  // every operation is an undo step of its own
        const std::string before = control.getText();
        const Selection selection = control.selection();
        const int caret = control.caret();
        const int changesBefore = counter.changes;
        const Op op = input.ConsumeEnum<Op>();
        bool changed = false;
        switch (op) {
            case Op::TypeText: {
                const std::string typed = input.ConsumeRandomLengthString(16);
                if ((changed = control.typeText(typed))) {
                    FUZZ_CHECK(control.getText() == std::string(before).replace(selection.start, selection.length(), typed));
                    FUZZ_CHECK(control.selection() == (Selection{selection.start + int(typed.size()), selection.start + int(typed.size())}));
                }
                break;
            }
            case Op::TypeCharacters:
                if ((changed = control.typeCharacters(input.ConsumeRandomLengthString(16))))
                    FUZZ_CHECK(replacedRange(before, control.getText(), selection.start, selection.end));
                break;
            case Op::ReplaceSel: {
                const std::string text = input.ConsumeRandomLengthString(16);
                if ((changed = control.replaceSel(text, input.ConsumeBool())))
                    FUZZ_CHECK(control.getText() == std::string(before).replace(selection.start, selection.length(), text));
                else
                    FUZZ_CHECK(control.getText() == before);
                break;
            }
            case Op::SetSel: {
                const int start = input.ConsumeIntegralInRange(-2, int(before.size()) + 2);
                control.setSel(start, input.ConsumeIntegralInRange(-2, int(before.size()) + 2));
                break;
            }
            case Op::DeleteBack:
            case Op::DeleteForward:
                if ((changed = op == Op::DeleteBack ? control.deleteBack() : control.deleteForward())) {
                    const std::string after = control.getText();
                    const int removed = int(before.size() - after.size());
                    if (!selection.empty()) {
                        FUZZ_CHECK(removed == selection.length());
                        FUZZ_CHECK(replacedRange(before, after, selection.start, selection.end));
                    } else {
                        FUZZ_CHECK(removed >= 1 && removed <= 4);
                        // A caret inside a character or a line break counts from where
                        // that begins, at most three bytes back.
                        bool nextToCaret = false;
                        for (int snapped = std::max(0, caret - 3); snapped <= caret && !nextToCaret; ++snapped) {
                            const int from = op == Op::DeleteBack ? snapped - removed : snapped;
                            nextToCaret = from >= 0 && replacedRange(before, after, from, from + removed);
                        }
                        FUZZ_CHECK(nextToCaret);
                    }
                }
                break;
            case Op::MoveCaret:
                control.moveCaret(static_cast<CaretMove>(input.ConsumeIntegralInRange(0, int(CaretMove::TextEnd))), input.ConsumeBool());
                break;
            case Op::ClickAt: {
                const int x = input.ConsumeIntegralInRange(-100, 3000);
                control.clickAt(x, input.ConsumeIntegralInRange(-100, 3000), input.ConsumeBool());
                break;
            }
            case Op::Clear:
                if ((changed = control.clear()))
                    FUZZ_CHECK(control.getText() == std::string(before).erase(selection.start, selection.length()));
                break;
            case Op::Undo:
            case Op::Redo: {
                const bool ran = router.run(op == Op::Undo ? cmd::Undo : cmd::Redo);
                FUZZ_CHECK(ran == (!control.isReadOnly() && (op == Op::Undo ? current > 0 : current + 1 < history.size())));
                if (ran) {
                    current = op == Op::Undo ? current - 1 : current + 1;
                    FUZZ_CHECK(control.getText() == history[current]);
                }
                break;
            }
            case Op::SetWordWrap:
                control.setWordWrap(input.ConsumeBool());
                FUZZ_CHECK(control.selection() == selection);
                break;
            case Op::SetClientSize: {
                const int width = input.ConsumeIntegralInRange(0, 2000);
                control.setClientSize(width, input.ConsumeIntegralInRange(0, 2000));
                break;
            }
            case Op::SetReadOnly:
                control.setReadOnly(input.ConsumeBool());
                break;
            case Op::LimitText:
                control.limitText(input.ConsumeIntegralInRange(-1, 300));
                break;
        }
        const std::string after = control.getText();
        if (op != Op::Undo && op != Op::Redo) {
            FUZZ_CHECK(changed || after == before);
            FUZZ_CHECK(changed || counter.changes == changesBefore);
            if (counter.changes != changesBefore) {
                history.resize(current + 1);
                history.push_back(after);
                ++current;
            }
        }
        FUZZ_CHECK(undo.archive().undoSteps() == int(current));
        FUZZ_CHECK(undo.archive().redoSteps() == int(history.size() - 1 - current));
        const Selection now = control.selection();
        FUZZ_CHECK(0 <= now.start && now.start <= now.end && now.end == std::max(control.anchor(), control.caret()));
        FUZZ_CHECK(now.end <= control.length() && control.length() == int(after.size()));
        FUZZ_CHECK(std::string(control.lock()) == after.substr(0, after.find('\0')));
        FUZZ_CHECK(control.textLineCount() >= 1);
    }
    control.removeObserver(counter);
    return 0;
}
