// A module carrying chosen resources: a copy of the running test program with
// its own resources replaced, loaded as a data file.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ResourceEntry {
    std::string type;
    int id;
    std::vector<unsigned char> data;
};

class ResourceModule {
public:
    explicit ResourceModule(const std::vector<ResourceEntry>& resources);
    ~ResourceModule();
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;

    HMODULE Handle() const { return module_; }

private:
    std::string path_;
    HMODULE module_ = nullptr;
};

// The coded payloads as the authoring tool writes them.
std::vector<unsigned char> LzwCoded(const std::vector<unsigned char>& plain);
