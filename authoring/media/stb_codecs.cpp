// The single-header libraries' own code, compiled once. Their headers are
// system headers to our build, so our warnings do not reach into them.
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_resize.h>
#include <stb/stb_image_write.h>
