#pragma once
// The programs the editor hands a page to: the browser (the page itself when
// it is saved and unchanged, else a numbered temporary copy beside it), the
// file differencing program, the graphics viewer for a selected file name,
// and the browser again for the web references and the documentation.
#include <optional>
#include <string>
#include <vector>

namespace tagloom {

class CHemlowHTMLDoc;
class CommandRouter;
class EditorView;
struct EditorSettings;
struct Platform;

// The program of a browser command line: for an unquoted value, the text up
// to the first blank after its last '/'; for a value quoted at two places,
// the text between the first and the last double quote.
std::string browserProgramOf(std::string command);

class HelperPrograms {
public:
    // The manual, opened at its first page fitted to the window's width.
    static constexpr const char* kDocumentationUrl = "https://www.fenwold.com/tagloom/tagloom-manual.pdf#page=1&view=fitH";

    HelperPrograms(EditorView& view, const EditorSettings& settings, CHemlowHTMLDoc& document, Platform& platform,
                   CommandRouter& router);
    // Deletes the temporary copies.
    ~HelperPrograms();
    HelperPrograms(const HelperPrograms&) = delete;
    HelperPrograms& operator=(const HelperPrograms&) = delete;

    void OpenInBrowser();
    void Compare();
    void OpenGraphicsFile();
    void DeleteBrowserFiles();
    void WebReference(const std::string& url, const std::string& title);
    void Documentation();

    // A copy of the text in `folder`, under the first free "_temp%04d.html"
    // name; nothing, with the reason shown, when none could be made.
    std::optional<std::string> MakeTempCopy(const std::string& folder, const std::string& title);
    // The desktop's browser program from $BROWSER, found once; empty when
    // none is set (the desktop's handler for the address is used then).
    const std::string& FindDefaultBrowser();

    std::vector<std::string> strTempFiles;
    int nTempCounter = 0;
    std::string strDefaultBrowser;

private:
    // Starts a helper with one argument when `program` names an existing file.
    bool runIfExists(const std::string& program, const std::string& argument, const std::string& title);
    void runProgram(const std::string& program, const std::vector<std::string>& arguments, const std::string& title);
    void openInDefaultBrowser(const std::string& target);

    EditorView& view_;
    const EditorSettings& settings_;
    CHemlowHTMLDoc& document_;
    Platform& platform_;
    bool browserLookedUp_ = false;
};

}  // namespace tagloom
