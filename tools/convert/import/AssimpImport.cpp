// Every format Assimp reads (FBX, COLLADA, OBJ, 3DS, ...). Assimp keeps only linear
// keys, so every channel arrives as linear interpolation.
// Assimp's validation refuses a scene whose indices point nowhere; the problems it steps
// around instead (a material or texture file it cannot find, a face it leaves out) it
// only writes to its log, so the log of each import becomes the conversion's warnings.
#include "convert/import/Import.h"

#include "convert/import/ImageDecode.h"
#include "convert/import/ObjCheck.h"

#include <assimp/BaseImporter.h>
#include <assimp/DefaultLogger.hpp>
#include <assimp/IOSystem.hpp>
#include <assimp/Importer.hpp>
#include <assimp/LogStream.hpp>
#include <assimp/MemoryIOWrapper.h>
#include <assimp/importerdesc.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>

namespace convert {

namespace {

Affine ToAffine(const aiMatrix4x4& m)
{
    Affine a;
    const float rows[3][4] = {{m.a1, m.a2, m.a3, m.a4}, {m.b1, m.b2, m.b3, m.b4}, {m.c1, m.c2, m.c3, m.c4}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            a.m[4 * r + c] = rows[r][c];
    return a;
}

// Collects Assimp's warnings and errors while it reads one file. Assimp's logger is one
// per process; the converter reads one file at a time.
class AssimpLog {
public:
    AssimpLog()
    {
        Assimp::DefaultLogger::create("", Assimp::Logger::NORMAL, 0);
        Assimp::DefaultLogger::get()->attachStream(new Collector(&lines), Assimp::Logger::Warn | Assimp::Logger::Err);
    }
    ~AssimpLog() { Assimp::DefaultLogger::kill(); }
    AssimpLog(const AssimpLog&) = delete;
    AssimpLog& operator=(const AssimpLog&) = delete;

    // Each distinct message once, without the logger's "Error, T0: " prefix.
    std::vector<std::string> Messages() const
    {
        constexpr std::size_t MaxMessages = 20;
        std::vector<std::string> messages;
        std::size_t more = 0;
        for (std::string line : lines) {
            std::size_t colon = line.find(": ");
            if (line.find(", T") < colon)
                line.erase(0, colon + 2);
            while (!line.empty() && (line.back() == '\n' || line.back() == ' '))
                line.pop_back();
            if (line.empty() || std::find(messages.begin(), messages.end(), "Assimp: " + line) != messages.end())
                continue;
            if (messages.size() < MaxMessages)
                messages.push_back("Assimp: " + line);
            else
                ++more;
        }
        if (more > 0)
            messages.push_back("Assimp: " + std::to_string(more) + " more messages");
        return messages;
    }

private:
    class Collector : public Assimp::LogStream {
    public:
        explicit Collector(std::vector<std::string>* lines) : lines(lines) {}
        void write(const char* message) override
        {
            if (lines->size() < 10000)
                lines->push_back(message);
        }

    private:
        std::vector<std::string>* lines;
    };
    std::vector<std::string> lines;
};

// An input in memory is the only file there is: every other name is missing, as a file
// beside the converter's input is in an otherwise empty folder.
class OneFile : public Assimp::IOSystem {
public:
    explicit OneFile(std::string name) : name(std::move(name)) {}
    void Set(const std::uint8_t* bytes, std::size_t count)
    {
        data = bytes;
        size = count;
        present = true;
    }
    void Clear()
    {
        data = nullptr;
        size = 0;
        present = false;
    }
    bool Exists(const char* file) const override { return present && file != nullptr && name == file; }
    char getOsSeparator() const override { return '/'; }
    Assimp::IOStream* Open(const char* file, const char* mode) override
    {
        if (!Exists(file) || mode == nullptr || mode[0] != 'r')
            return nullptr;
        return new Assimp::MemoryIOStream(data, size);
    }
    void Close(Assimp::IOStream* stream) override { delete stream; }

private:
    std::string name;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    bool present = false;
};

class AssimpReader {
public:
    AssimpReader(const aiScene& scene, const std::string& path, bool readsFiles, Content* content)
        : scene(scene), folder(std::filesystem::path(path).parent_path()), readsFiles(readsFiles), content(*content)
    {
    }

    bool Run(std::string* error);

private:
    void AddNode(const aiNode* node, int parent);
    int FindNode(const std::string& name) const;
    int ImageFor(const aiString& texturePath);
    void ReadMaterials();
    bool ReadMesh(const aiMesh& source, int node, std::string* error);
    void ReadAnimations();
    void Warn(const std::string& text) { content.warnings.push_back(text); }

    const aiScene& scene;
    std::filesystem::path folder;
    bool readsFiles;
    Content& content;
    std::vector<const aiNode*> sourceNodes;
    std::map<std::string, int> imageByPath;
};

void AssimpReader::AddNode(const aiNode* source, int parent)
{
    // Depth first, parents before children.
    std::vector<std::pair<const aiNode*, int>> stack{{source, parent}};
    while (!stack.empty()) {
        auto [n, p] = stack.back();
        stack.pop_back();
        Node node;
        node.name = n->mName.C_Str();
        node.parent = p;
        node.restMatrix = ToAffine(n->mTransformation);
        if (!DecomposeTrs(node.restMatrix, &node.rest.translation, &node.rest.rotation, &node.rest.scale))
            node.rest = Trs{};
        int index = static_cast<int>(content.nodes.size());
        content.nodes.push_back(std::move(node));
        sourceNodes.push_back(n);
        for (unsigned c = n->mNumChildren; c-- > 0;)
            stack.push_back({n->mChildren[c], index});
    }
}

int AssimpReader::FindNode(const std::string& name) const
{
    for (std::size_t i = 0; i < content.nodes.size(); ++i)
        if (content.nodes[i].name == name)
            return static_cast<int>(i);
    return -1;
}

int AssimpReader::ImageFor(const aiString& texturePath)
{
    std::string key = texturePath.C_Str();
    auto found = imageByPath.find(key);
    if (found != imageByPath.end())
        return found->second;
    Image image;
    if (const aiTexture* embedded = scene.GetEmbeddedTexture(key.c_str())) {
        image.origin = "embedded texture " + key;
        image.name =
            embedded->mFilename.length ? std::filesystem::path(embedded->mFilename.C_Str()).stem().string() : "texture";
        if (embedded->mHeight == 0) {
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(embedded->pcData);
            image.encoded.assign(bytes, bytes + embedded->mWidth);
        } else {
            image.width = static_cast<int>(embedded->mWidth);
            image.height = static_cast<int>(embedded->mHeight);
            image.rgba.reserve(static_cast<std::size_t>(image.width) * image.height * 4);
            for (std::size_t i = 0; i < static_cast<std::size_t>(image.width) * image.height; ++i) {
                const aiTexel& t = embedded->pcData[i];
                image.rgba.insert(image.rgba.end(), {t.r, t.g, t.b, t.a});
            }
        }
    } else {
        std::string relative = key;
        std::replace(relative.begin(), relative.end(), '\\', '/');
        std::filesystem::path file =
            std::filesystem::path(relative).is_absolute() ? std::filesystem::path(relative) : folder / relative;
        image.origin = file.string();
        image.name = file.stem().string();
        if (!readsFiles || !ReadFileBytes(file.string(), &image.encoded))
            Warn("texture '" + key + "' cannot be read; its materials get their colour instead");
    }
    int index = static_cast<int>(content.images.size());
    content.images.push_back(std::move(image));
    imageByPath[key] = index;
    return index;
}

void AssimpReader::ReadMaterials()
{
    for (unsigned i = 0; i < scene.mNumMaterials; ++i) {
        const aiMaterial* source = scene.mMaterials[i];
        Material m;
        aiString name;
        if (source->Get(AI_MATKEY_NAME, name) == AI_SUCCESS)
            m.name = name.C_Str();
        aiColor4D c;
        auto color = [](const aiColor4D& v) { return Color{v.r, v.g, v.b, v.a}; };
        if (source->Get(AI_MATKEY_COLOR_DIFFUSE, c) == AI_SUCCESS)
            m.diffuse = color(c);
        else if (source->Get(AI_MATKEY_BASE_COLOR, c) == AI_SUCCESS)
            m.diffuse = color(c);
        float opacity;
        if (source->Get(AI_MATKEY_OPACITY, opacity) == AI_SUCCESS)
            m.diffuse.a = opacity;
        m.ambient = {0.5f, 0.5f, 0.5f, 1};
        if (source->Get(AI_MATKEY_COLOR_AMBIENT, c) == AI_SUCCESS)
            m.ambient = color(c);
        if (source->Get(AI_MATKEY_COLOR_SPECULAR, c) == AI_SUCCESS)
            m.specular = color(c);
        float shininess = 0, strength = 1;
        if (source->Get(AI_MATKEY_SHININESS, shininess) == AI_SUCCESS)
            m.shininess = std::clamp(shininess, 0.0f, 128.0f);
        if (source->Get(AI_MATKEY_SHININESS_STRENGTH, strength) == AI_SUCCESS) {
            m.specular.r *= strength;
            m.specular.g *= strength;
            m.specular.b *= strength;
        }
        aiString texture;
        if (source->GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS ||
            source->GetTexture(aiTextureType_BASE_COLOR, 0, &texture) == AI_SUCCESS)
            m.image = ImageFor(texture);
        content.materials.push_back(std::move(m));
    }
}

bool AssimpReader::ReadMesh(const aiMesh& source, int node, std::string* error)
{
    Mesh mesh;
    mesh.name = source.mName.length ? source.mName.C_Str() : content.nodes[node].name;
    mesh.node = node;
    std::string where = "mesh '" + mesh.name + "'";
    if (!(source.mPrimitiveTypes & aiPrimitiveType_TRIANGLE) || !source.mVertices) {
        Warn(where + ": points and lines are not converted; the mesh is dropped");
        return true;
    }
    unsigned count = source.mNumVertices;
    mesh.positions.reserve(count);
    for (unsigned v = 0; v < count; ++v) {
        const aiVector3D& p = source.mVertices[v];
        mesh.positions.push_back({p.x, p.y, p.z});
        if (source.mNormals) {
            const aiVector3D& n = source.mNormals[v];
            mesh.normals.push_back(Normalized(Vec3{n.x, n.y, n.z}));
        }
        mesh.texcoords.push_back(source.mTextureCoords[0] ? source.mTextureCoords[0][v].x : 0.0f);
        mesh.texcoords.push_back(source.mTextureCoords[0] ? source.mTextureCoords[0][v].y : 0.0f);
    }
    MeshPart part;
    part.material = source.mMaterialIndex < content.materials.size() ? static_cast<int>(source.mMaterialIndex) : -1;
    for (unsigned f = 0; f < source.mNumFaces; ++f) {
        const aiFace& face = source.mFaces[f];
        if (face.mNumIndices != 3)
            continue;
        for (unsigned k = 0; k < 3; ++k) {
            if (face.mIndices[k] >= count) {
                *error = where + ": a face names a vertex that does not exist";
                return false;
            }
            part.triangles.push_back(face.mIndices[k]);
        }
    }
    mesh.parts.push_back(std::move(part));

    if (source.mNumBones > 0) {
        Skin skin;
        std::vector<std::vector<Weight>> perVertex(count);
        for (unsigned b = 0; b < source.mNumBones; ++b) {
            const aiBone* bone = source.mBones[b];
            int joint = FindNode(bone->mName.C_Str());
            if (joint < 0) {
                *error = where + ": bone '" + std::string(bone->mName.C_Str()) + "' has no node";
                return false;
            }
            skin.joints.push_back(joint);
            skin.inverseBind.push_back(ToAffine(bone->mOffsetMatrix));
            for (unsigned w = 0; w < bone->mNumWeights; ++w) {
                const aiVertexWeight& vw = bone->mWeights[w];
                if (vw.mVertexId >= count) {
                    *error =
                        where + ": bone '" + std::string(bone->mName.C_Str()) + "' weighs a vertex that does not exist";
                    return false;
                }
                if (vw.mWeight > 0)
                    perVertex[vw.mVertexId].push_back({static_cast<int>(b), vw.mWeight});
            }
        }
        mesh.skin = static_cast<int>(content.skins.size());
        content.skins.push_back(std::move(skin));
        mesh.weightStart.push_back(0);
        for (const auto& weights : perVertex) {
            mesh.weights.insert(mesh.weights.end(), weights.begin(), weights.end());
            mesh.weightStart.push_back(static_cast<std::uint32_t>(mesh.weights.size()));
        }
    }
    if (source.mNumAnimMeshes > 0)
        Warn(where + ": morph targets are not converted");
    content.meshes.push_back(std::move(mesh));
    return true;
}

void AssimpReader::ReadAnimations()
{
    for (unsigned a = 0; a < scene.mNumAnimations; ++a) {
        const aiAnimation* source = scene.mAnimations[a];
        Clip clip;
        clip.name = source->mName.C_Str();
        double ticks = source->mTicksPerSecond > 0 ? source->mTicksPerSecond : 25.0;
        for (unsigned c = 0; c < source->mNumChannels; ++c) {
            const aiNodeAnim* ch = source->mChannels[c];
            int node = FindNode(ch->mNodeName.C_Str());
            if (node < 0) {
                clip.dropped.push_back("animation '" + clip.name + "' channel " + std::to_string(c) + ": node '" +
                                       ch->mNodeName.C_Str() + "' does not exist; the channel is dropped");
                continue;
            }
            // Assimp may repeat a key time; the later key of a pair is dropped.
            auto add = [&](Target target, unsigned n, auto time, auto value) {
                Channel channel;
                channel.node = node;
                channel.target = target;
                channel.interpolation = Interpolation::Linear;
                for (unsigned k = 0; k < n; ++k) {
                    double t = std::max(0.0, time(k) / ticks);
                    if (!channel.times.empty() && !(t > channel.times.back()))
                        continue;
                    channel.times.push_back(t);
                    value(k, &channel.values);
                }
                if (!channel.times.empty())
                    clip.channels.push_back(std::move(channel));
            };
            add(
                Target::Translation, ch->mNumPositionKeys, [&](unsigned k) { return ch->mPositionKeys[k].mTime; },
                [&](unsigned k, std::vector<double>* v) {
                    const aiVector3D& p = ch->mPositionKeys[k].mValue;
                    v->insert(v->end(), {p.x, p.y, p.z});
                });
            add(
                Target::Rotation, ch->mNumRotationKeys, [&](unsigned k) { return ch->mRotationKeys[k].mTime; },
                [&](unsigned k, std::vector<double>* v) {
                    const aiQuaternion& q = ch->mRotationKeys[k].mValue;
                    v->insert(v->end(), {q.x, q.y, q.z, q.w});
                });
            add(
                Target::Scale, ch->mNumScalingKeys, [&](unsigned k) { return ch->mScalingKeys[k].mTime; },
                [&](unsigned k, std::vector<double>* v) {
                    const aiVector3D& s = ch->mScalingKeys[k].mValue;
                    v->insert(v->end(), {s.x, s.y, s.z});
                });
        }
        content.clips.push_back(std::move(clip));
    }
}

bool AssimpReader::Run(std::string* error)
{
    if (!scene.mRootNode) {
        *error = "the file has no node hierarchy";
        return false;
    }
    AddNode(scene.mRootNode, -1);
    ReadMaterials();
    for (std::size_t i = 0; i < sourceNodes.size(); ++i) {
        const aiNode* n = sourceNodes[i];
        for (unsigned k = 0; k < n->mNumMeshes; ++k) {
            if (n->mMeshes[k] >= scene.mNumMeshes) {
                *error = "node '" + content.nodes[i].name + "' uses a mesh that does not exist";
                return false;
            }
            if (!ReadMesh(*scene.mMeshes[n->mMeshes[k]], static_cast<int>(i), error))
                return false;
        }
    }
    ReadAnimations();
    return true;
}

// Texture coordinates flipped so that t = 0 is the top row of the image, as in glTF.
// Points and lines stay in the scene, so that the reader can say it leaves them out.
constexpr unsigned ReadFlags = aiProcess_Triangulate | aiProcess_JoinIdenticalVertices | aiProcess_GenSmoothNormals |
                               aiProcess_SortByPType | aiProcess_FlipUVs | aiProcess_ValidateDataStructure;

bool ReadScene(Assimp::Importer& importer, const aiScene* scene, const AssimpLog& log, const std::string& path,
               const std::string& extension, bool readsFiles, Content* content, std::string* error)
{
    if (!scene) {
        std::string reason = importer.GetErrorString();
        *error = reason.empty() ? "not a model file Assimp can read" : reason;
        return false;
    }
    if (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) {
        *error = "the file describes no complete scene";
        return false;
    }
    *content = Content{};
    content->warnings = log.Messages();
    const char* description = nullptr;
    std::size_t format = importer.GetImporterIndex(extension.c_str());
    if (format != static_cast<std::size_t>(-1)) {
        if (const aiImporterDesc* desc = importer.GetImporterInfo(format))
            description = desc->mName;
    }
    content->format = description ? description : "Assimp";
    AssimpReader reader(*scene, path, readsFiles, content);
    return reader.Run(error);
}

bool IsObj(std::string extension)
{
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return extension == ".obj" || extension == "obj";
}

// Reads the file Assimp would open by `name` beside an OBJ file; false when there is none.
using ReadBeside = std::function<bool(const std::string& name, std::vector<std::uint8_t>* bytes)>;

// The OBJ text at `path` and the material libraries Assimp would read with it (those it
// names, and the one named after the file, which Assimp falls back on), through the guards.
bool GuardObj(const std::uint8_t* text, std::size_t size, const std::string& path, const ReadBeside& read,
              std::string* error)
{
    if (!CheckObjVertexIndices(text, size, error))
        return false;
    // Assimp puts a library's name after the OBJ file's folder as text, so an absolute
    // name lands inside the folder too; the library it falls back on is the OBJ's path
    // with "mtl" for its extension.
    const std::size_t slash = path.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash);
    std::vector<std::string> libraries;
    for (const std::string& name : MaterialLibraries(text, size))
        libraries.push_back(folder.empty() ? name : folder + "/" + name);
    libraries.push_back(path.substr(0, path.size() - 3) + "mtl");
    for (const std::string& library : libraries) {
        // A library Assimp cannot open is looked for again under a cleaned-up name, and the
        // clean-up steps over a leading "\\" (a network path) and then past the end of a
        // name that is nothing else: the OBJ fuzzer's crash, for an OBJ file read from its own
        // folder, whose library names Assimp takes as they stand.
        if (library == "\\\\") {
            *error = "material library \"\\\\\": a name of two backslashes alone is refused (Assimp 5.2 reads "
                     "past its end)";
            return false;
        }
        std::vector<std::uint8_t> bytes;
        if (!read(library, &bytes))
            continue;
        if (!CheckMaterialLibrary(bytes.data(), bytes.size(), error)) {
            *error = library + " " + *error;
            return false;
        }
    }
    return true;
}

bool GuardObjFile(const std::string& path, std::string* error)
{
    std::vector<std::uint8_t> text;
    if (!ReadFileBytes(path, &text))
        return true; // Assimp says why
    return GuardObj(
        text.data(), text.size(), path,
        [](const std::string& name, std::vector<std::uint8_t>* bytes) {
            std::error_code ec;
            return std::filesystem::is_regular_file(name, ec) && ReadFileBytes(name, bytes);
        },
        error);
}

} // namespace

const char* FormatsRead()
{
    return "glTF 2.0 (.gltf/.glb), FBX, COLLADA, OBJ and every other format Assimp\nreads";
}

bool ImportAssimp(const std::string& path, Content* content, std::string* error)
{
    const std::string extension = std::filesystem::path(path).extension().string();
    Assimp::Importer importer;
    // For an extension it does not know, Assimp picks a reader by the content, and OBJ text
    // would reach its reader past the guard below: the extension has to name the format.
    if (!importer.IsExtensionSupported(extension)) {
        *error = extension.empty() ? "the file name has no extension to tell its format"
                                   : "the extension \"" + extension + "\" names no format this build reads";
        return false;
    }
    if (IsObj(extension) && !GuardObjFile(path, error))
        return false;
    AssimpLog log;
    const aiScene* scene = importer.ReadFile(path, ReadFlags);
    return ReadScene(importer, scene, log, path, extension, true, content, error);
}

bool ImportAssimpBytes(const std::uint8_t* data, std::size_t size, const std::string& hint, Content* content,
                       std::string* error)
{
    AssimpBytesReader reader(hint);
    return reader.Read(data, size, content, error);
}

struct AssimpBytesReader::State {
    std::string hint;
    std::string name; // of the one file there is
    OneFile* files;   // owned by the importer
    Assimp::Importer importer;
    bool readable = false;
};

AssimpBytesReader::AssimpBytesReader(const std::string& hint) : state(std::make_unique<State>())
{
    state->hint = hint;
    state->name = "input." + hint;
    state->files = new OneFile(state->name);
    Assimp::Importer& importer = state->importer;
    importer.SetIOHandler(state->files);
    // Only the hinted format's readers stay: a name whose extension one of them claims goes to
    // it alone, as the converter's file does, and the importer is smaller to keep.
    std::vector<Assimp::BaseImporter*> others;
    for (std::size_t i = 0; i < importer.GetImporterCount(); ++i) {
        const aiImporterDesc* desc = importer.GetImporterInfo(i);
        std::string extensions = desc && desc->mFileExtensions ? std::string(" ") + desc->mFileExtensions + " " : "";
        if (extensions.find(" " + hint + " ") == std::string::npos)
            others.push_back(importer.GetImporter(i));
    }
    for (Assimp::BaseImporter* other : others)
        if (importer.UnregisterLoader(other) == AI_SUCCESS)
            delete other; // no longer the importer's to delete
    state->readable = importer.GetImporterCount() > 0;
}

AssimpBytesReader::~AssimpBytesReader() = default;

bool AssimpBytesReader::Read(const std::uint8_t* data, std::size_t size, Content* content, std::string* error)
{
    // The one file there is can be named as its own material library, as a file beside the
    // converter's input can.
    const auto oneFile = [&](const std::string& name, std::vector<std::uint8_t>* bytes) {
        if (name != state->name)
            return false;
        bytes->assign(data, data + size);
        return true;
    };
    if (IsObj(state->hint) && !GuardObj(data, size, state->name, oneFile, error))
        return false;
    if (!state->readable) {
        *error = "Assimp reads no format \"" + state->hint + "\"";
        return false;
    }
    state->files->Set(data, size);
    AssimpLog log;
    Assimp::Importer& importer = state->importer;
    const aiScene* scene = importer.ReadFile(state->name, ReadFlags);
    const bool read = ReadScene(importer, scene, log, state->name, "." + state->hint, false, content, error);
    // Nothing of this input stays for the next.
    importer.FreeScene();
    state->files->Clear();
    return read;
}

} // namespace convert
