#pragma once

#include <string>

namespace qv::content {

// Where the generated files go below the Data folder.
inline std::string textureDir(const std::string& data) {
    return data + "/tex";
}
inline std::string meshDir(const std::string& data) {
    return data + "/x";
}
inline std::string waveDir(const std::string& data) {
    return data + "/wave";
}

} // namespace qv::content
