// The layers of src/layers.txt, held against every #include of src/: a file
// may include its own folder and the folders below it, and only a qt/ part
// may include a qt/ part. The text model includes no Qt at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tagloom {
namespace {

namespace fs = std::filesystem;

using Layers = std::map<std::string, std::set<std::string>>;  // folder -> the folders it may include

// Reads the table; each folder may also use what its listed folders may.
Layers readLayers(std::istream& in) {
    Layers layers;
    std::string line;
    while (std::getline(in, line)) {
        const auto colon = line.find(':');
        if (line.empty() || line[0] == '#' || colon == std::string::npos) continue;
        std::set<std::string>& uses = layers[line.substr(0, colon)];
        std::istringstream words(line.substr(colon + 1));
        for (std::string used; words >> used;) {
            uses.insert(used);
            const auto below = layers.find(used);
            if (below != layers.end()) uses.insert(below->second.begin(), below->second.end());
        }
    }
    return layers;
}

struct SourceFile {
    std::string path;  // relative to src/
    std::string text;
};

// Every include of a file that the table does not allow, as "path: include".
std::vector<std::string> violations(const Layers& layers, const std::vector<SourceFile>& files) {
    static const std::regex include(R"re(^\s*#\s*include\s*([<"])([^>"]+)[>"])re");
    std::vector<std::string> found;
    for (const SourceFile& file : files) {
        const auto slash = file.path.find('/');
        const std::string folder = file.path.substr(0, slash);
        const bool inQt = file.path.compare(slash + 1, 3, "qt/") == 0;
        const auto layer = layers.find(folder);
        std::istringstream lines(file.text);
        for (std::string line; std::getline(lines, line);) {
            std::smatch m;
            if (!std::regex_search(line, m, include)) continue;
            const std::string target = m[2];
            const auto report = [&] { found.push_back(file.path + ": " + target); };
            if (m[1] == "<") {
                if (folder == "textmodel" && !inQt && target.rfind('Q', 0) == 0) report();
                continue;
            }
            const auto targetSlash = target.find('/');
            const std::string targetFolder = target.substr(0, targetSlash);
            const bool targetQt =
                targetSlash != std::string::npos && target.compare(targetSlash + 1, 3, "qt/") == 0;
            const bool allowedFolder =
                layer != layers.end() && (targetFolder == folder || layer->second.count(targetFolder) != 0);
            if (!allowedFolder || (targetQt && !inQt)) report();
        }
    }
    return found;
}

TEST(Layers, noIncludeOfSrcRunsUpALayerOrAcrossToAFeatureItMayNotUse) {
    const fs::path src = fs::path(TAGLOOM_SOURCE_DIR) / "src";
    std::ifstream table(src / "layers.txt");
    ASSERT_TRUE(table) << "src/layers.txt";
    const Layers layers = readLayers(table);
    ASSERT_GE(layers.size(), 5u);

    std::vector<SourceFile> files;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".h" && extension != ".cpp") continue;
        std::ifstream in(entry.path());
        files.push_back({fs::relative(entry.path(), src).generic_string(),
                         std::string(std::istreambuf_iterator<char>(in), {})});
        ASSERT_TRUE(layers.count(files.back().path.substr(0, files.back().path.find('/'))))
            << files.back().path << " lies in a folder the table does not name";
    }
    ASSERT_GT(files.size(), 50u);
    EXPECT_EQ(violations(layers, files), std::vector<std::string>{});
}

TEST(Layers, backEdgesSiblingFeaturesQtInTheCoreAndQtInTheModelAreNamed) {
    std::istringstream table("textmodel:\ncommands: textmodel\nhtml: commands\nsearch: commands\nview: html search\n");
    const Layers layers = readLayers(table);
    EXPECT_EQ(layers.at("view"), (std::set<std::string>{"html", "search", "commands", "textmodel"}));
    const std::vector<SourceFile> files = {
        {"html/A.cpp", "#include \"html/B.h\"\n#include \"textmodel/EditControl.h\"\n#include <QFile>\n"},
        {"html/Up.cpp", "#include \"view/Hub.h\"\n"},
        {"html/Sibling.cpp", "  #  include \"search/Marks.h\"\n"},
        {"html/Core.cpp", "#include \"textmodel/qt/EditWidget.h\"\n"},
        {"html/qt/Dialog.cpp", "#include \"textmodel/qt/EditWidget.h\"\n#include \"html/qt/Other.h\"\n"},
        {"textmodel/Model.cpp", "#include <QString>\n#include <string>\n"},
        {"textmodel/qt/Widget.cpp", "#include <QWidget>\n"},
    };
    EXPECT_EQ(violations(layers, files),
              (std::vector<std::string>{"html/Up.cpp: view/Hub.h", "html/Sibling.cpp: search/Marks.h",
                                        "html/Core.cpp: textmodel/qt/EditWidget.h", "textmodel/Model.cpp: QString"}));
}

}  // namespace
}  // namespace tagloom
