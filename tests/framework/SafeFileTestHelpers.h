#pragma once
// File helpers shared by the persistence tests (each test runs in its own temporary folder).
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Names of the files in the working directory.
inline std::vector<std::string> FilesHere() {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(".")) names.push_back(e.path().filename().string());
    return names;
}

// Inputs that no reader may crash or hang on: a huge word, random bytes, NULs, lone CRs.
inline std::vector<std::string> GarbageInputs() {
    std::vector<std::string> inputs;
    inputs.push_back(std::string(10 * 1024 * 1024, 'x'));
    std::mt19937 rng(1234);
    std::string binary(64 * 1024, '\0');
    for (char& c : binary) c = static_cast<char>(rng());
    inputs.push_back(binary);
    inputs.push_back(std::string(1000, '\0'));
    inputs.push_back(std::string(1000, '\r'));
    inputs.push_back("");
    return inputs;
}
