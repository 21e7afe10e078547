// The source folders form layers that run one way: a file includes only headers of its own folder
// and of the layers below it, never of its own layer's other folders or of a layer above. Within
// a folder the files include each other without a circle: a header and its source file are one
// unit, and no unit reaches itself again through the headers it includes.
#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Folder -> layer number, from the build's order ("platform res|dict settings|context|...").
// A folder may be a sub-folder ("ui/status").
std::map<std::string, int> LayerOfFolder() {
    std::map<std::string, int> layers;
    std::stringstream order(ZELK_LAYER_ORDER);
    std::string layer;
    for (int n = 0; std::getline(order, layer, '|'); ++n) {
        std::stringstream folders(layer);
        std::string folder;
        while (folders >> folder) {
            layers[folder] = n;
        }
    }
    return layers;
}

// The layer folder a path below src/ lies in: the longest folder of the order it starts with.
std::string FolderOf(const std::map<std::string, int>& layers, const std::string& path) {
    std::string best;
    for (const auto& [folder, layer] : layers) {
        if (path.compare(0, folder.size() + 1, folder + "/") == 0 && folder.size() > best.size()) {
            best = folder;
        }
    }
    return best;
}

// Every .h and .cpp directly in dir, as paths relative to src/ (sub-folders are folders of
// their own).
void CollectSources(const std::string& root, const std::string& dir,
                    std::vector<std::string>& out) {
    DIR* handle = opendir((root + dir).c_str());
    ASSERT_NE(handle, nullptr) << root + dir;
    while (dirent* entry = readdir(handle)) {
        const std::string name = entry->d_name;
        if (entry->d_type != DT_DIR && name.size() > 2 &&
            (name.rfind(".h") == name.size() - 2 || name.rfind(".cpp") == name.size() - 4)) {
            out.push_back(dir + "/" + name);
        }
    }
    closedir(handle);
}

// Source path -> the headers below src/ it includes.
std::map<std::string, std::vector<std::string>> IncludesOfSources() {
    const std::map<std::string, int> layers = LayerOfFolder();
    const std::string root = std::string(ZELK_SOURCE_DIR) + "/src/";
    std::vector<std::string> sources;
    for (const auto& [folder, layer] : layers) {
        CollectSources(root, folder, sources);
    }
    std::map<std::string, std::vector<std::string>> includes;
    for (const std::string& source : sources) {
        std::ifstream file(root + source);
        std::vector<std::string>& targets = includes[source];
        for (std::string line; std::getline(file, line);) {
            if (line.rfind("#include \"", 0) == 0) {
                targets.push_back(line.substr(10, line.find('"', 10) - 10));
            }
        }
    }
    return includes;
}

// "ui/status/status_window_win.cpp" -> "ui/status/status_window_win".
std::string UnitOf(const std::string& path) {
    return path.substr(0, path.rfind('.'));
}

TEST(Layering, EveryIncludeRunsDownTheLayers) {
    const std::map<std::string, int> layers = LayerOfFolder();
    ASSERT_GE(layers.size(), 8u);
    const auto includes = IncludesOfSources();
    ASSERT_GT(includes.size(), 50u);
    int checked = 0;
    for (const auto& [source, targets] : includes) {
        const std::string folder = FolderOf(layers, source);
        for (const std::string& target : targets) {
            const std::string targetFolder = FolderOf(layers, target);
            if (targetFolder.empty() || targetFolder == folder) {
                continue;
            }
            ++checked;
            EXPECT_LT(layers.at(targetFolder), layers.at(folder))
                << source << " includes " << target << ", which is not below its layer";
        }
    }
    EXPECT_GT(checked, 100);
}

TEST(Layering, NoFileReachesItselfThroughItsIncludes) {
    std::map<std::string, std::set<std::string>> uses;
    for (const auto& [source, targets] : IncludesOfSources()) {
        for (const std::string& target : targets) {
            if (UnitOf(target) != UnitOf(source)) {
                uses[UnitOf(source)].insert(UnitOf(target));
            }
        }
    }
    ASSERT_GT(uses.size(), 50u);
    // Depth-first: a unit met again while it is still on the path closes a circle.
    enum class Mark { Unseen, OnPath, Done };
    std::map<std::string, Mark> marks;
    std::vector<std::string> path;
    std::vector<std::string> circles;
    std::function<void(const std::string&)> visit = [&](const std::string& unit) {
        marks[unit] = Mark::OnPath;
        path.push_back(unit);
        for (const std::string& next : uses[unit]) {
            if (marks[next] == Mark::OnPath) {
                std::string circle;
                for (auto at = std::find(path.begin(), path.end(), next); at != path.end(); ++at) {
                    circle += *at + " -> ";
                }
                circles.push_back(circle + next);
            } else if (marks[next] == Mark::Unseen) {
                visit(next);
            }
        }
        path.pop_back();
        marks[unit] = Mark::Done;
    };
    for (const auto& [unit, used] : uses) {
        if (marks[unit] == Mark::Unseen) {
            visit(unit);
        }
    }
    for (const std::string& circle : circles) {
        ADD_FAILURE() << "a circle of includes: " << circle;
    }
}

}  // namespace
