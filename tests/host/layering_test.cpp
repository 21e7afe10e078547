// The source folders form layers that run one way: a file includes only headers of its own folder
// and of the layers below it, never of its own layer's other folders or of a layer above.
#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Folder -> layer number, from the build's order ("platform res|dict settings|context|...").
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

// Every .h and .cpp below dir (recursively), as paths relative to src/.
void CollectSources(const std::string& root, const std::string& dir,
                    std::vector<std::string>& out) {
    DIR* handle = opendir((root + dir).c_str());
    ASSERT_NE(handle, nullptr) << root + dir;
    while (dirent* entry = readdir(handle)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        const std::string path = dir + "/" + name;
        if (entry->d_type == DT_DIR) {
            CollectSources(root, path, out);
        } else if (name.size() > 2 &&
                   (name.rfind(".h") == name.size() - 2 || name.rfind(".cpp") == name.size() - 4)) {
            out.push_back(path);
        }
    }
    closedir(handle);
}

TEST(Layering, EveryIncludeRunsDownTheLayers) {
    const std::map<std::string, int> layers = LayerOfFolder();
    ASSERT_GE(layers.size(), 8u);
    const std::string root = std::string(ZELK_SOURCE_DIR) + "/src/";
    std::vector<std::string> sources;
    for (const auto& [folder, layer] : layers) {
        CollectSources(root, folder, sources);
    }
    ASSERT_GT(sources.size(), 50u);
    int includes = 0;
    for (const std::string& source : sources) {
        const std::string folder = source.substr(0, source.find('/'));
        std::ifstream file(root + source);
        std::string line;
        while (std::getline(file, line)) {
            if (line.rfind("#include \"", 0) != 0) {
                continue;
            }
            const std::string target = line.substr(10, line.find('/', 10) - 10);
            const auto found = layers.find(target);
            if (found == layers.end() || target == folder) {
                continue;
            }
            ++includes;
            EXPECT_LT(found->second, layers.at(folder))
                << source << " includes " << target << "/, which is not below its layer";
        }
    }
    EXPECT_GT(includes, 100);
}

}  // namespace
