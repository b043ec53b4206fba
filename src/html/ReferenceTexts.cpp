#include "html/ReferenceTexts.h"

#include <array>
#include <string>
#include <string_view>

#include "html/CharacterTools.h"
#include "textmodel/TextEncoding.h"

namespace tagloom {

namespace {

// Five paragraphs of the usual Latin filler text.
constexpr std::array<std::string_view, 5> kLoremIpsum = {
    "Lorem ipsum dolor sit amet, consectetur adipiscing elit. Eros cubilia nostrud in suspendisse "
    "occaecat, phasellus aliquip dolor libero enim. Ultricies excepteur volutpat lectus ex nunc pretium. "
    "Curae exercitation aenean quis pellentesque orci. Augue est ipsum et velit eget sunt ipsum. "
    "Cupidatat sem commodo quis ex metus blandit nullam quis nisi amet. Vulputate dolor id eget sit esse "
    "dolor a augue, erat posuere orci in. Erat eros cursus placerat ad voluptate pellentesque primis. "
    "Congue cursus blandit nunc aute sint nec pellentesque consequat ea hendrerit. Imperdiet orci massa "
    "tempor pede vitae integer id nunc ex id orci nulla. Ac sagittis cursus nunc sapien tincidunt elit "
    "laboris. Volutpat reprehenderit excepteur varius a mollis.",
    "Gravida sagittis facilisis mollit arcu sagittis, blandit tortor posuere incididunt luctus. Quis "
    "tempus varius orci at ante, curabitur laborum imperdiet lorem euismod praesent curae. Nunc feugiat "
    "velit consequat posuere et. Posuere orci in nostrud facilisis sunt ullamco. Pharetra id risus elit "
    "lacus curabitur adipiscing vestibulum orci labore. Nibh libero nonummy esse exercitation elit ac "
    "odio imperdiet tortor, exercitation libero. Erat etiam leo pede donec, quis eros tempus posuere "
    "pellentesque posuere laborum. Vestibulum eu blandit libero dui mattis leo. Quis nullam sem phasellus"
    " sit excepteur, accumsan erat nec excepteur sapien eros accumsan. Erat faucibus erat a volutpat "
    "ante. Nunc pellentesque posuere tincidunt sollicitudin non. Sint nec id faucibus sed sed, "
    "consectetuer quis tempor. Cursus lorem in ultrices non augue posuere id officia ut elit eros "
    "volutpat. Vestibulum fugiat volutpat ad lorem tincidunt vestibulum. Non lacus imperdiet non elit "
    "mollit. A phasellus luctus donec ut, lorem consectetur pulvinar tempus fringilla. Posuere suscipit "
    "nullam sem nonummy labore.",
    "Et nisi tempor ullamcorper nunc placerat esse sed et lectus cursus et. Placerat vulputate cubilia "
    "rutrum sit nec urna duis metus augue nunc. Sagittis amet aenean hendrerit phasellus officia augue "
    "mauris ut. Et posuere laboris libero incididunt varius. Ut posuere ac nisi mollit velit. Adipiscing "
    "ut a, augue dolore quis ipsum vestibulum imperdiet metus integer. Esse cursus placerat pretium pede "
    "vestibulum primis tortor, hendrerit consectetuer. Ipsum velit ac sed phasellus non arcu pellentesque"
    " et elit nonummy quis ad. Lectus sunt sollicitudin sunt ipsum faucibus.",
    "Commodo tempus leo vestibulum in ipsum, officia qui. Magna adipiscing sed elit aenean eu phasellus "
    "sit tempor varius sed quis dolor. Primis placerat nisl nisl eget pretium non consectetuer nisi, "
    "donec non ac. Imperdiet dolor posuere nunc eiusmod congue sodales posuere. Consectetur et cursus qui"
    " enim imperdiet venenatis id magna nunc sodales. Ac nonummy posuere donec sed cursus volutpat erat "
    "elit nunc volutpat ut ultrices. Tortor nisi feugiat in, in sed ea. Turpis hendrerit officia ut, non "
    "aliquam suscipit dui ultrices pede pretium sollicitudin. In pede eros et turpis erat augue neque "
    "sem. Vitae nisl risus ante feugiat quis mauris aenean ipsum facilisis donec amet tempus. Orci fugiat"
    " vulputate bibendum non orci aliquip fugiat nunc euismod nullam turpis at. Consectetur volutpat "
    "irure neque imperdiet proident. Mauris mattis massa bibendum vestibulum nisi sagittis mauris "
    "excepteur. Nunc excepteur elit congue praesent orci risus.",
    "Mauris quis phasellus aliqua felis velit dolor tortor nec. Irure laborum tortor amet tincidunt in ea"
    " nec officia augue sed donec ut turpis. Eiusmod sit pariatur, ut posuere mauris sunt quis. Cupidatat"
    " ullamcorper donec do sit volutpat. Sunt cursus occaecat consectetuer quis, sem pretium amet nunc eu"
    " facilisis deserunt curabitur. Et et commodo primis pede curae sollicitudin do et placerat suscipit "
    "aliqua cubilia ullamco. Aliquam ultricies maecenas elit quis tincidunt aliquam pede, laboris euismod"
    " libero. Id dolor consectetur arcu officia turpis mauris aute euismod consectetuer nunc. Eros nullam"
    " placerat curae non quis. Magna risus sem ac aliqua proident. Adipiscing vestibulum nulla ad orci "
    "mollit auctor massa mauris laborum ex elit phasellus fugiat. Commodo tellus pretium lacus gravida "
    "neque porttitor orci in sit nulla condimentum orci non. Orci nunc sem phasellus fringilla sem non "
    "praesent in. Elit pede sollicitudin nunc aenean.",
};

// What the characters from 32 to 126 are called; the letters need no words.
constexpr std::array<std::string_view, 95> kAsciiDescriptions = {
    "space", "exclamation point", "double quotes", "number sign", "dollar sign", "percent sign", "ampersand",
    "single quote - apostrophe", "opening parenthesis", "closing parenthesis", "asterisk", "plus sign", "comma",
    "minus sign - hyphen", "period - full stop", "slash - solidus", "digit zero", "digit one", "digit two", "digit three",
    "digit four", "digit five", "digit six", "digit seven", "digit eight", "digit nine", "colon", "semicolon",
    "less than sign", "equal sign", "greater than sign", "question mark", "at symbol", "", "", "", "", "", "", "",
    "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "opening bracket", "backslash",
    "closing bracket", "caret - circumflex", "underscore", "grave accent", "", "", "", "", "", "", "", "", "", "",
    "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "opening brace", "vertical bar - pipe",
    "closing brace", "equivalency sign - tilde",
};

// The HTML 4 entity names of the Latin-1 characters from 160 to 255, and what they are.
struct Latin1Entity {
    std::string_view name;
    std::string_view description;
};
constexpr std::array<Latin1Entity, 96> kLatin1Entities = {{
    {"nbsp", "non-breaking space"},
    {"iexcl", "inverted exclamation mark"},
    {"cent", "cent sign"},
    {"pound", "pound sign"},
    {"curren", "currency sign"},
    {"yen", "yen sign"},
    {"brvbar", "broken vertical bar"},
    {"sect", "section sign"},
    {"uml", "umlaut - diaeresis"},
    {"copy", "copyright sign"},
    {"ordf", "feminine ordinal indicator"},
    {"laquo", "left angle quotation mark"},
    {"not", "not sign"},
    {"shy", "soft hyphen"},
    {"reg", "registered trademark sign"},
    {"macr", "macron - overline"},
    {"deg", "degree sign"},
    {"plusmn", "plus-minus sign"},
    {"sup2", "superscript two"},
    {"sup3", "superscript three"},
    {"acute", "acute accent"},
    {"micro", "micro sign"},
    {"para", "pilcrow - paragraph sign"},
    {"middot", "middle dot"},
    {"cedil", "cedilla mark"},
    {"sup1", "superscript one"},
    {"ordm", "masculine ordinal indicator"},
    {"raquo", "right angle quotation mark"},
    {"frac14", "fraction one quarter"},
    {"frac12", "fraction one half"},
    {"frac34", "fraction three quarters"},
    {"iquest", "inverted question mark"},
    {"Agrave", "capital letter A with grave accent"},
    {"Aacute", "capital letter A with acute accent"},
    {"Acirc", "capital letter A with circumflex accent"},
    {"Atilde", "capital letter A with tilde mark"},
    {"Auml", "capital letter A with umlaut mark"},
    {"Aring", "capital letter A with ring above"},
    {"AElig", "capital letter AE ligature"},
    {"Ccedil", "capital letter C with cedilla mark"},
    {"Egrave", "capital letter E with grave accent"},
    {"Eacute", "capital letter E with acute accent"},
    {"Ecirc", "capital letter E with circumflex accent"},
    {"Euml", "capital letter E with umlaut mark"},
    {"Igrave", "capital letter I with grave accent"},
    {"Iacute", "capital letter I with acute accent"},
    {"Icirc", "capital letter I with circumflex accent"},
    {"Iuml", "capital letter I with umlaut mark"},
    {"ETH", "capital letter eth, Icelandic"},
    {"Ntilde", "capital letter N with tilde mark"},
    {"Ograve", "capital letter O with grave accent"},
    {"Oacute", "capital letter O with acute accent"},
    {"Ocirc", "capital letter O with circumflex accent"},
    {"Otilde", "capital letter O with tilde mark"},
    {"Ouml", "capital letter O with umlaut mark"},
    {"times", "multiplication sign"},
    {"Oslash", "capital letter O with stroke"},
    {"Ugrave", "capital letter U with grave accent"},
    {"Uacute", "capital letter U with acute accent"},
    {"Ucirc", "capital letter U with circumflex accent"},
    {"Uuml", "capital letter U with umlaut mark"},
    {"Yacute", "capital letter Y with acute accent"},
    {"THORN", "capital letter thorn, Icelandic"},
    {"szlig", "small letter sharp s, German"},
    {"agrave", "small letter a with grave accent"},
    {"aacute", "small letter a with acute accent"},
    {"acirc", "small letter a with circumflex accent"},
    {"atilde", "small letter a with tilde mark"},
    {"auml", "small letter a with umlaut mark"},
    {"aring", "small letter a with ring above"},
    {"aelig", "small letter ae ligature"},
    {"ccedil", "small letter c with cedilla mark"},
    {"egrave", "small letter e with grave accent"},
    {"eacute", "small letter e with acute accent"},
    {"ecirc", "small letter e with circumflex accent"},
    {"euml", "small letter e with umlaut mark"},
    {"igrave", "small letter i with grave accent"},
    {"iacute", "small letter i with acute accent"},
    {"icirc", "small letter i with circumflex accent"},
    {"iuml", "small letter i with umlaut mark"},
    {"eth", "small letter eth, Icelandic"},
    {"ntilde", "small letter n with tilde mark"},
    {"ograve", "small letter o with grave accent"},
    {"oacute", "small letter o with acute accent"},
    {"ocirc", "small letter o with circumflex accent"},
    {"otilde", "small letter o with tilde mark"},
    {"ouml", "small letter o with umlaut mark"},
    {"divide", "division sign"},
    {"oslash", "small letter o with stroke"},
    {"ugrave", "small letter u with grave accent"},
    {"uacute", "small letter u with acute accent"},
    {"ucirc", "small letter u with circumflex accent"},
    {"uuml", "small letter u with umlaut mark"},
    {"yacute", "small letter y with acute accent"},
    {"thorn", "small letter thorn, Icelandic"},
    {"yuml", "small letter y with umlaut mark"},
}};
std::string codeRow(int code, const std::string& character, std::string_view name, std::string_view description) {
    const std::string decimal = std::to_string(code);
    std::string row = decimal + '\t' + hexDigits(static_cast<unsigned char>(code)) + '\t' + character + "\t&#" + decimal + ";\t";
    row += name;
    row += '\t';
    row += description;
    return row;
}

std::string buildLoremIpsum() {
    std::string text;
    for (const std::string_view paragraph : kLoremIpsum) {
        if (!text.empty()) text += "\r\n\r\n";
        text += paragraph;
    }
    return text;
}

std::string buildAsciiCodes() {
    std::string text = "ASCII\t\t\tHTML\tHTML\t\r\nDec\tHex\tSymbol\tNumber\tName\tDescription\r\n" + std::string(112, '-');
    for (int code = 32; code <= 126; ++code) {
        const std::string_view name = code == '"' ? "&quot;" : code == '&' ? "&amp;" : code == '<' ? "&lt;"
                                      : code == '>' ? "&gt;" : "";
        text += "\r\n" + codeRow(code, std::string(1, static_cast<char>(code)), name, kAsciiDescriptions[code - 32]);
    }
    text += "\r\n\r\n127 - 159    7F - 9F    not defined in HTML 4 standard\r\n";
    for (int code = 160; code <= 255; ++code) {
        const Latin1Entity& entity = kLatin1Entities[code - 160];
        std::string character;
        appendUtf8(character, static_cast<char32_t>(code));
        text += "\r\n" + codeRow(code, character, "&" + std::string(entity.name) + ";", entity.description);
    }
    return text;
}

}  // namespace

const std::string& loremIpsumText() {
    static const std::string text = buildLoremIpsum();
    return text;
}

const std::string& asciiCodesText() {
    static const std::string text = buildAsciiCodes();
    return text;
}

}  // namespace tagloom
