// What our code shares of stb's writers: a sink for their output.
#pragma once

// A callback for stbi_write_*_to_func: appends the bytes to the
// std::vector<unsigned char> that context points to.
void AppendStbOutput(void* context, void* data, int size);
