// Writes the import fuzzers' seeds: orvex_fuzz_import_seeds <folder> [<models>] fills
// <folder>/gltf with the small model made in code and, when the shared models are there,
// with them and the damaged files the tests build from them; and <folder>/obj with OBJ
// texts. Nothing binary is kept in the repository.
#include "DamagedGltf.h"

#include <cstdio>
#include <fstream>

namespace {

bool Save(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (out)
        return true;
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
}

bool SaveText(const std::filesystem::path& path, const std::string& text)
{
    return Save(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

// Models small enough for the fuzzer's input size.
const char* const Models[] = {"BoxTextured", "BoxAnimated", "RiggedSimple", "InterpolationTest"};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s <folder> [<models>]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    std::filesystem::create_directories(root / "gltf");
    std::filesystem::create_directories(root / "obj");

    bool ok = Save(root / "gltf" / "small.glb", tooltest::WriteGlb(tooltest::SmallModel()));
    int damaged = 0;
    if (argc == 3 && std::filesystem::is_directory(argv[2])) {
        const std::filesystem::path models = argv[2];
        for (const char* model : Models) {
            tooltest::Glb glb;
            if (tooltest::ReadGlb(models / model / "glTF-Binary" / (std::string(model) + ".glb"), &glb))
                ok = ok && Save(root / "gltf" / (std::string(model) + ".glb"), tooltest::WriteGlb(glb));
        }
        for (const tooltest::DamageCase& c : tooltest::DamageCases()) {
            std::vector<std::uint8_t> bytes = tooltest::DamagedGlb(models, c);
            if (!bytes.empty() && (ok = ok && Save(root / "gltf" / (c.name + ".glb"), bytes)))
                ++damaged;
        }
    }

    const std::string quad = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n";
    ok = ok && SaveText(root / "obj" / "triangle.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n") &&
         SaveText(root / "obj" / "quad.obj", "o quad\n" + quad + "s 1\nf 1/1/1 2/2/1 3/3/1 4/4/1\n") &&
         SaveText(root / "obj" / "groups.obj",
                  "mtllib scene.mtl\n" + quad +
                      "g left\nusemtl red\nf 1//1 2//1 3//1\ng right\nusemtl blue\nf -4 -2 -1\n") &&
         SaveText(root / "obj" / "lines.obj", quad + "l 1 2 3\np 4\nf 1 2 3\n") &&
         SaveText(root / "obj" / "polygon.obj",
                  "v 0 0 0\nv 2 0 0\nv 3 1 0\nv 2 2 0\nv 0 2 0\nv -1 1 0\nf 1 2 3 4 5 6\n") &&
         SaveText(root / "obj" / "broken.obj", quad + "f 1/9 2/1 3/1\nf 1 2 7\nusemtl nowhere\n");
    std::printf("import seeds: %d damaged glTF files\n", damaged);
    return ok ? 0 : 1;
}
