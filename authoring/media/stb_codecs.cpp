// The single-header libraries' own code, compiled once. Their headers are
// system headers to our build, so our warnings do not reach into them.
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_resize.h>
#include <stb/stb_image_write.h>

#include "authoring/media/stb_codecs.h"

#include <vector>

void AppendStbOutput(void* context, void* data, int size)
{
    auto* bytes = static_cast<std::vector<unsigned char>*>(context);
    const auto* first = static_cast<const unsigned char*>(data);
    bytes->insert(bytes->end(), first, first + size);
}
