// Modules carrying chosen resources, as the authoring tool writes them: for
// the loader's tests, and quiz executables for the player's.
#pragma once

#include "quiz/quiz_record.h"

#include <windows.h>

#include <string>
#include <vector>

struct ResourceEntry {
    std::string type;
    int id;
    std::vector<unsigned char> data;
};

// A path in the temporary directory, unique to this process, ending in name.
std::string TemporaryPath(const char* name);

// Copies templatePath to path and adds the resources to the copy. An entry
// with no data becomes an empty resource.
bool WriteModuleCopy(const std::string& templatePath, const std::string& path,
                     const std::vector<ResourceEntry>& resources);

// A copy of the running test program with the resources added, loaded as a
// data file; removed again when it goes.
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

// "PATCH" 104 and 105 for a quiz record.
std::vector<ResourceEntry> QuizResources(const QuizRecord& quiz);
