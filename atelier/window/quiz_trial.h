// The quiz tried as pupils will see it: written into a folder of this
// session's, under the system's temporary folder, from the player beside the
// atelier, and started there (where its answers file goes); or its web page
// written there, for the browser to open. Each trial is a
// program of its own, so that one still open never stops the next; the
// folder goes when the atelier closes, with what can be removed of it.
#pragma once

#include "authoring/packing/packer_platform.h"

#include <string>
#include <vector>

// False with the reason in French.
bool StartTrial(const std::vector<QuizResource>& resources, const PackerPlatform& platform,
                std::string& error);

// The page written into the trial folder under a name of its own, at path;
// false with the reason in French.
bool WriteTrialPage(const std::string& page, std::string& path, std::string& error);

void RemoveTrials();
