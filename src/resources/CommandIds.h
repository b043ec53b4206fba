#pragma once
// Command, string and window ids. The values are fixed: menus, toolbars, key
// bindings and the string table all refer to them.

namespace tagloom::cmd {

// File
constexpr int New = 32810;
constexpr int Open = 32807;
constexpr int ReOpen = 32821;
constexpr int DeleteFile = 32819;
constexpr int Save = 32809;
constexpr int SaveAs = 32808;
constexpr int Close = 32867;
constexpr int OpenInBrowser = 32804;
constexpr int DeleteBrowserFiles = 32894;
constexpr int StartNewEditor = 32870;
constexpr int ShowInExplorer = 32903;
constexpr int CompareToAnotherFile = 32892;
constexpr int OpenGraphicsFile = 32900;
constexpr int Print = 57607;
constexpr int PrintPreview = 57609;
constexpr int PrintSetup = 57606;
constexpr int PageSetup = 57605;
constexpr int Send = 57612;
constexpr int RecentFileFirst = 57616;
constexpr int RecentFileLast = 57631;
constexpr int Exit = 57665;

// Edit
constexpr int Undo = 57643;
constexpr int Redo = 57644;
constexpr int Cut = 57635;
constexpr int Copy = 57634;
constexpr int Paste = 57637;
constexpr int Delete = 32888;
constexpr int SelectAll = 32851;
constexpr int PasteFromLifo = 32897;
constexpr int FindAndMark = 32787;
constexpr int Replace = 32786;
constexpr int FindInFiles = 32929;
constexpr int ToggleBookmark = 32876;
constexpr int ClearBookmarks = 32874;
constexpr int HexOfSelectedText = 32783;
constexpr int InsertHexChar = 32784;
constexpr int CountMarked = 32980;
constexpr int SyntaxColouring = 32990;
constexpr int ExportHtml = 32991;
constexpr int RemoveMarkedText = 32845;  // Esc

// View
constexpr int EditToolbar = 59392;
constexpr int HtmlToolbar = 32957;
constexpr int DisplayToolbar = 32964;
constexpr int LocateToolbar = 32971;
constexpr int StatusBar = 59393;
constexpr int LineNumbers = 32782;
constexpr int ColumnGuide = 32910;
constexpr int LineGuide = 32942;
constexpr int ReadOnly = 32774;
constexpr int MarkHighlight = 32863;
constexpr int WordWrap = 32791;
constexpr int ZoomIn = 32944;
constexpr int ZoomOut = 32945;
constexpr int NextBookmark = 32872;
constexpr int PreviousBookmark = 32873;
constexpr int GoToLine = 32842;
constexpr int GoToOffset = 32893;
constexpr int ScrollToCursor = 32878;
constexpr int ColorPicker = 32899;
constexpr int ColorFromText = 32912;
constexpr int HtmlWebReference = 32926;
constexpr int CssWebReference = 32925;
constexpr int PhpWebReference = 32974;
constexpr int AsciiCodes = 32927;
constexpr int LoremIpsum = 32920;
constexpr int FontCharacteristics = 32864;
constexpr int Settings = 32861;
constexpr int PreviousPane = 57681;  // Shift+F6

// Format
constexpr int XhtmlStrict = 32908;
constexpr int XhtmlTransitional = 32907;
constexpr int HtmlFormat = 32817;
constexpr int HtmlRemoveWhitespace = 32924;
constexpr int InsertTableTraceCode = 32880;
constexpr int HtmlTags = 32895;
constexpr int ScriptBlock = 32931;
constexpr int StyleBlock = 32932;
constexpr int CommentBlock = 32975;
constexpr int FindNextTag = 32827;
constexpr int FindPreviousTag = 32829;
constexpr int FindNextUntagged = 32834;
constexpr int FindPreviousUntagged = 32835;
constexpr int SelectMatchingTags = 32794;
constexpr int AsciiCompatibility = 32930;
constexpr int CssBasicBlock = 32947;
constexpr int CssFormat = 32921;
constexpr int CssRemoveWhitespace = 32923;
constexpr int PhpBasicBlock = 32977;
constexpr int PhpEchoBlock = 32978;
constexpr int CharAmp = 32913;
constexpr int CharQuot = 32914;
constexpr int CharLt = 32915;
constexpr int CharGt = 32916;
constexpr int CharNbsp = 32917;
constexpr int HtmlCharCodes = 32918;  // HTML toolbar button that opens the character-code popup
constexpr int UpperCase = 32884;
constexpr int LowerCase = 32885;
constexpr int InvertCase = 32886;

// Help
constexpr int About = 57664;
constexpr int Documentation = 32946;

// Print preview
constexpr int PreviewNextPage = 58114;
constexpr int PreviewPreviousPage = 58115;
constexpr int PreviewClose = 58112;

}  // namespace tagloom::cmd

namespace tagloom::str {

constexpr int AppTitle = 57344;  // "Tagloom"
constexpr int Ready = 57345;     // "Ready"

// Status-bar indicator panes (their sizing strings).
constexpr int PaneCaps = 59137;
constexpr int PaneNum = 59138;
constexpr int PaneLnCol = 59142;
constexpr int PaneBytes = 59143;
constexpr int PaneLines = 59144;
constexpr int PaneLineEnds = 59145;
constexpr int PaneBookmarks = 59146;
constexpr int PaneColor = 59147;

}  // namespace tagloom::str

namespace tagloom::wnd {

constexpr int EditToolbar = 59392;
constexpr int HtmlToolbar = 101;
constexpr int DisplayToolbar = 102;
constexpr int LocateToolbar = 103;
constexpr int StatusBar = 59393;

}  // namespace tagloom::wnd
