#pragma once
// The character tools as commands: the three case changes, Insert a HEX
// Char, Hex of Selected Text, ASCII Compatibility and the two reference texts.
namespace tagloom {

class CommandRouter;
class EditorView;
struct Platform;
enum class CaseChange;

class CharacterCommands {
public:
    CharacterCommands(EditorView& view, Platform& platform, CommandRouter& router);
    CharacterCommands(const CharacterCommands&) = delete;
    CharacterCommands& operator=(const CharacterCommands&) = delete;

    void ChangeCase(CaseChange change);
    void InsertHexChar();
    void HexOfSelectedText();
    void AsciiCompatibility();
    void LoremIpsum();
    void AsciiCodes();

private:
    // The selection holds at most one character (a whole one).
    bool atMostOneCharacterSelected();

    EditorView& view_;
    Platform& platform_;
};

}  // namespace tagloom
