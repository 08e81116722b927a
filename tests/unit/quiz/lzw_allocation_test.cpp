// Linked with -Wl,--wrap=malloc: the codec's allocations can be made to fail
// one at a time.
#include "quiz/lzw.h"
#include "tests/support/message_box_recorder.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The names that the linker's --wrap=malloc gives.
extern "C" void* __real_malloc(size_t size); // NOLINT(bugprone-reserved-identifier)

namespace {
int g_failingCall = 0; // 1 fails the next malloc, 2 the one after; 0 none
} // namespace

extern "C" void* __wrap_malloc(size_t size) // NOLINT(bugprone-reserved-identifier)
{
    if (g_failingCall > 0 && --g_failingCall == 0)
        return nullptr;
    return __real_malloc(size);
}

TEST(LzwAllocation, FailuresGiveNoMemoryAndOnlyTheOutputBufferIsTold)
{
    const unsigned char abc[] = {'a', 'b', 'c'}, coded[] = {0x30, 0x98, 0x8C, 0x70, 0x00};
    const struct {
        const char* name;
        bool encode;
        int failingCall;
        bool told;
    } cases[] = {
        {"decoder state", false, 1, false},
        {"decoder output", false, 2, true},
        {"encoder output", true, 1, true},
        {"encoder state", true, 2, false},
    };
    for (const auto& c : cases) {
        RecordedMessages().clear();
        unsigned char* out = nullptr;
        uint32_t length = 0;
        g_failingCall = c.failingCall;
        const int32_t result =
            c.encode ? LzwEncode(abc, 3, &out, &length) : LzwDecode(coded, 5, &out, &length);
        g_failingCall = 0;
        EXPECT_EQ(result, LZW_NO_MEMORY) << c.name;
        EXPECT_EQ(out, nullptr) << c.name << ": no freed buffer is handed back";
        EXPECT_EQ(RecordedMessages().size(), c.told ? 1u : 0u) << c.name;
    }
}
