// Writes the source that the stored-source fuzzer's quiz keeps, as its first
// input: mutations of a valid one reach past the header checks.
#include "authoring/packing/stored_source.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const StoredSource stored = {"# Un quiz\ntitre = \"T\"\ndisposition = \"image\"\n"
                                 "[[question]]\nreponse = \"a\"\nimage = \"images/a.jpg\"\n"
                                 "[[question]]\nreponse = \"b\"\nimage = \"b.jpg\"\n",
                                 {{401, "images/a.jpg"}, {402, "b.jpg"}}};
    std::vector<unsigned char> bytes;
    FILE* file = fopen(argv[1], "wb");
    const bool written = file && EncodeStoredSource(stored, bytes) &&
                         fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return file && fclose(file) == 0 && written ? 0 : 1;
}
