#include "assets/XMeshLayout.h"

#include <algorithm>

namespace qv {

namespace {

using Kind = XToken::Kind;

std::string shown(const XToken& token) {
    if (token.kind == Kind::End)
        return "the end of the file";
    return quotedPiece(token.text);
}

std::string meshCalled(const std::string& name) {
    return name.empty() ? "the mesh" : "mesh " + printable(name);
}

std::string number(uint64_t value) {
    return std::to_string(value);
}

bool isTextureFilename(std::string_view name) {
    return name == "TextureFilename" || name == "TextureFileName" || name == "NormalmapFilename" ||
           name == "NormalmapFileName";
}

// The reals an animation key of a type holds (rotation, scale, position, matrix); 0 for none.
uint64_t keyValues(uint64_t type) {
    return type == 0 ? 4 : type <= 2 ? 3 : type <= 4 ? 16 : 0;
}

} // namespace

XMeshLayout::XMeshLayout(XTokens& tokens, uint64_t countLimit) : tokens_(tokens), countLimit_(countLimit) {}

void XMeshLayout::walk() {
    for (XToken token = tokens_.next(); token.kind != Kind::End; token = tokens_.next())
        fileObject(token);
    if (meshes_ == 0)
        refuse("it holds no mesh");
}

void XMeshLayout::fileObject(const XToken& token) {
    if (token.kind == Kind::Close)
        return; // the parser passes over a stray '}' between objects
    if (token.kind != Kind::Name)
        refuse(shown(token) + " where an object belongs");
    if (token.text == "template")
        skipTemplate();
    else if (token.text == "Frame")
        frame(1);
    else if (token.text == "Mesh")
        mesh();
    else if (token.text == "Material")
        material();
    else if (token.text == "AnimationSet")
        animationSet();
    else if (token.text == "AnimTicksPerSecond")
        ticksPerSecond();
    else
        skipUnknown();
}

// An object's children up to its closing brace: child takes the ones it knows (true); any
// other name starts an object passed over whole, as the parser passes over it.
template <typename Child> void XMeshLayout::children(const std::string& inside, Child child) {
    for (;;) {
        const XToken token = tokens_.next();
        if (token.kind == Kind::End)
            refuse("the file ends inside " + inside);
        if (token.kind == Kind::Close)
            return;
        if (child(token))
            continue;
        if (token.kind != Kind::Name)
            refuse(shown(token) + " where an object or '}' belongs in " + inside);
        skipUnknown();
    }
}

// A name the importer keeps: it copies frame names into a fixed 1 KiB field unchecked.
std::string XMeshLayout::kept(std::string_view name) {
    if (name.size() > kMaxNameBytes)
        refuse("a name of " + number(name.size()) + " bytes, more than " + number(kMaxNameBytes));
    return std::string(name);
}

// An object's optional name and its opening brace.
std::string XMeshLayout::header() {
    XToken token = tokens_.next();
    if (token.kind == Kind::Open)
        return {};
    if (token.kind != Kind::Name && token.kind != Kind::Number)
        refuse("where an object's name or '{' belongs there is " + shown(token));
    const std::string name = kept(token.text);
    token = tokens_.next();
    if (token.kind != Kind::Open)
        refuse("where '{' belongs there is " + shown(token));
    return name;
}

void XMeshLayout::closingBrace(const std::string& of) {
    const XToken token = tokens_.next();
    if (token.kind != Kind::Close)
        refuse("where '}' ends " + of + " there is " + shown(token));
}

// An object the parser does not read: a balanced brace block.
void XMeshLayout::skipUnknown() {
    header();
    for (int depth = 1; depth > 0;) {
        const XToken token = tokens_.next();
        if (token.kind == Kind::End)
            refuse("the file ends inside an object");
        depth += token.kind == Kind::Open ? 1 : token.kind == Kind::Close ? -1 : 0;
    }
}

// The parser takes a template's name, one token for its GUID, then anything up to a '}'.
void XMeshLayout::skipTemplate() {
    header();
    tokens_.next();
    for (XToken token = tokens_.next(); token.kind != Kind::Close; token = tokens_.next())
        if (token.kind == Kind::End)
            refuse("the file ends inside a template");
}

// A count: a whole number of elements the file could hold.
uint64_t XMeshLayout::count() {
    const uint64_t value = tokens_.whole();
    if (value > countLimit_)
        refuse("it states a count of " + number(value) + " where the file can hold at most " +
               number(countLimit_));
    return value;
}

// A whole number below limit: an index into what the file counted before.
template <typename Describe> uint64_t XMeshLayout::indexBelow(uint64_t limit, Describe describe) {
    const uint64_t value = tokens_.whole();
    if (value >= limit)
        refuse(describe() + " " + number(value) + " of " + number(limit));
    return value;
}

void XMeshLayout::reals(uint64_t count) {
    for (uint64_t i = 0; i < count; ++i)
        tokens_.real();
}

// Vectors and colours: their reals, then an optional separator.
void XMeshLayout::vectors(uint64_t count, uint64_t size) {
    for (uint64_t i = 0; i < count; ++i) {
        reals(size);
        tokens_.optionalSeparator();
    }
}

void XMeshLayout::frame(int depth) {
    // The importer turns nested frames into nested calls; thousands would end its stack.
    if (depth > kMaxFrameDepth)
        refuse("frames nested deeper than " + number(kMaxFrameDepth));
    header();
    children("a frame", [&](const XToken& token) {
        if (token.kind != Kind::Name)
            return false;
        if (token.text == "Frame")
            frame(depth + 1);
        else if (token.text == "FrameTransformMatrix")
            transformMatrix();
        else if (token.text == "Mesh")
            mesh();
        else
            return false;
        return true;
    });
}

void XMeshLayout::transformMatrix() {
    header();
    reals(16);
    tokens_.semicolon();
    closingBrace("a frame's transform");
}

void XMeshLayout::mesh() {
    if (++meshes_ > kMaxMeshes)
        refuse("more than " + number(kMaxMeshes) + " meshes");
    Mesh mesh;
    mesh.name = header();
    mesh.vertices = count();
    vectors(mesh.vertices, 3);
    faces(mesh);
    children(meshCalled(mesh.name),
             [&](const XToken& token) { return token.kind == Kind::Name && meshChild(mesh, token.text); });
    countSortWork(mesh);
}

void XMeshLayout::faces(Mesh& mesh) {
    const std::string called = meshCalled(mesh.name);
    const uint64_t faces = count();
    for (uint64_t f = 0; f < faces; ++f) {
        const uint64_t corners = count();
        if (corners == 0 || corners > kMaxCorners)
            refuse(called + ": face " + number(f) + " has " + number(corners) + " corners, not 1 to " +
                   number(kMaxCorners));
        for (uint64_t k = 0; k < corners; ++k)
            indexBelow(mesh.vertices, [&] { return called + ": face " + number(f) + " names vertex"; });
        tokens_.optionalSeparator();
        mesh.corners.push_back(static_cast<uint32_t>(corners));
        countPolygonWork(mesh, corners);
    }
}

bool XMeshLayout::meshChild(Mesh& mesh, std::string_view name) {
    if (name == "MeshNormals")
        normals(mesh);
    else if (name == "MeshTextureCoords")
        textureCoordinates(mesh);
    else if (name == "MeshVertexColors")
        vertexColors(mesh);
    else if (name == "MeshMaterialList")
        materialList(mesh);
    else if (name == "XSkinMeshHeader")
        skinHeader();
    else if (name == "SkinWeights")
        skinWeights(mesh);
    else
        return false;
    return true;
}

// The importer takes each face's normals by the face's position: a normal face must have as
// many corners as the position face.
void XMeshLayout::normals(const Mesh& mesh) {
    const std::string called = meshCalled(mesh.name) + "'s normals";
    header();
    const uint64_t normals = count();
    vectors(normals, 3);
    const uint64_t faces = count();
    if (faces != mesh.corners.size())
        refuse(called + " cover " + number(faces) + " faces, the mesh has " + number(mesh.corners.size()));
    for (uint64_t f = 0; f < faces; ++f) {
        const uint64_t corners = count();
        if (corners != mesh.corners[f])
            refuse(called + ": face " + number(f) + " has " + number(corners) + " corners, the mesh's face " +
                   number(mesh.corners[f]));
        for (uint64_t k = 0; k < corners; ++k)
            indexBelow(normals, [&] { return called + ": face " + number(f) + " names normal"; });
        tokens_.optionalSeparator();
    }
    closingBrace(called);
}

// One value per vertex: as many as the mesh has vertices.
void XMeshLayout::perVertexCount(const Mesh& mesh, const std::string& called) {
    const uint64_t values = count();
    if (values != mesh.vertices)
        refuse(called + " number " + number(values) + ", the mesh has " + number(mesh.vertices) +
               " vertices");
}

void XMeshLayout::anotherVertexSet(int& sets, const std::string& called) {
    if (++sets > kMaxVertexSets)
        refuse("more than " + number(kMaxVertexSets) + " sets of " + called);
}

void XMeshLayout::textureCoordinates(Mesh& mesh) {
    const std::string called = meshCalled(mesh.name) + "'s texture coordinates";
    anotherVertexSet(mesh.textureSets, called);
    header();
    perVertexCount(mesh, called);
    vectors(mesh.vertices, 2);
    closingBrace(called);
}

void XMeshLayout::vertexColors(Mesh& mesh) {
    const std::string called = meshCalled(mesh.name) + "'s vertex colours";
    anotherVertexSet(mesh.colorSets, called);
    header();
    perVertexCount(mesh, called);
    for (uint64_t c = 0; c < mesh.vertices; ++c) {
        indexBelow(mesh.vertices, [&] { return called + ": colour " + number(c) + " names vertex"; });
        vectors(1, 4);
        tokens_.optionalSeparator(); // some exporters end each colour twice; the parser allows it
    }
    closingBrace(called);
}

void XMeshLayout::materialList(Mesh& mesh) {
    const std::string called = meshCalled(mesh.name) + "'s material list";
    // The importer would add a second list's face materials after the first's, past the faces.
    if (mesh.hasMaterialList)
        refuse(meshCalled(mesh.name) + " has a second material list");
    mesh.hasMaterialList = true;
    header();
    const uint64_t materials = count();
    const uint64_t faces = count();
    const uint64_t meshFaces = mesh.corners.size();
    // One index stands for every face; the importer still reads it for the first face.
    if (faces != meshFaces && !(faces == 1 && meshFaces > 0))
        refuse(called + " gives materials for " + number(faces) + " faces, the mesh has " +
               number(meshFaces));
    for (uint64_t f = 0; f < faces; ++f)
        indexBelow(materials, [&] { return called + ": face " + number(f) + " uses material"; });
    // Faces of a material that is not listed are lost, or crash the importer when none is.
    const uint64_t listed = materialListEntries(called);
    if (listed != materials)
        refuse(called + " states " + number(materials) + " materials but holds " + number(listed));
    mesh.materials = listed;
}

uint64_t XMeshLayout::materialListEntries(const std::string& called) {
    uint64_t listed = 0;
    children(called, [&](const XToken& token) {
        if (token.kind == Kind::Separator)
            return token.text == ";"; // the parser passes over a ';' here
        if (token.kind == Kind::Open)
            materialReference();
        else if (token.text == "Material" && token.kind == Kind::Name)
            material();
        else
            return false;
        ++listed;
        return true;
    });
    return listed;
}

// "{ Name }": a material defined at file level, found by its name.
void XMeshLayout::materialReference() {
    countMaterial();
    const XToken name = tokens_.next();
    if (name.kind != Kind::Name && name.kind != Kind::Number)
        refuse("where a material's name belongs there is " + shown(name));
    kept(name.text);
    closingBrace("a material reference");
}

void XMeshLayout::material() {
    countMaterial();
    header();
    vectors(1, 4); // face colour
    reals(1);      // power
    vectors(2, 3); // specular and emissive colours
    children("a material", [&](const XToken& token) {
        if (token.kind != Kind::Name || !isTextureFilename(token.text))
            return false;
        header();
        kept(tokens_.string());
        closingBrace("a texture file name");
        return true;
    });
}

void XMeshLayout::skinHeader() {
    header();
    for (int i = 0; i < 3; ++i)
        tokens_.whole();
    closingBrace("a skin header");
}

// The importer spreads each weight over the vertex it names, unchecked.
void XMeshLayout::skinWeights(Mesh& mesh) {
    const std::string called = meshCalled(mesh.name) + "'s skin weights";
    header();
    kept(tokens_.string());
    const uint64_t weights = count();
    for (uint64_t w = 0; w < weights; ++w)
        indexBelow(mesh.vertices, [&] { return called + ": weight " + number(w) + " names vertex"; });
    reals(weights + 16); // the weights, then the bone's offset matrix
    tokens_.semicolon();
    closingBrace(called);
    ++mesh.skinWeights;
}

void XMeshLayout::animationSet() {
    header();
    children("an animation set", [&](const XToken& token) {
        if (token.kind != Kind::Name || token.text != "Animation")
            return false;
        animation();
        return true;
    });
}

void XMeshLayout::animation() {
    header();
    children("an animation", [&](const XToken& token) {
        if (token.kind == Kind::Open) {
            // "{ FrameName }": the frame the animation moves.
            const XToken name = tokens_.next();
            if (name.kind != Kind::Name && name.kind != Kind::Number)
                refuse("where a frame's name belongs there is " + shown(name));
            kept(name.text);
            closingBrace("an animated frame's name");
        } else if (token.kind == Kind::Name && token.text == "AnimationKey") {
            animationKey();
        } else {
            return false;
        }
        return true;
    });
}

void XMeshLayout::animationKey() {
    header();
    const uint64_t type = tokens_.whole();
    const uint64_t keys = count();
    for (uint64_t k = 0; k < keys; ++k) {
        tokens_.whole(); // its time
        const uint64_t values = tokens_.whole();
        if (keyValues(type) == 0)
            refuse("an animation key of type " + number(type));
        if (values != keyValues(type))
            refuse("an animation key of type " + number(type) + " holds " + number(values) + " values, not " +
                   number(keyValues(type)));
        reals(values);
        if (values == 3)
            tokens_.optionalSeparator();
        else
            tokens_.semicolon();
        tokens_.separator();
    }
    closingBrace("an animation key");
}

void XMeshLayout::ticksPerSecond() {
    header();
    tokens_.whole();
    closingBrace("the animation speed");
}

void XMeshLayout::countMaterial() {
    // The importer grows its material array by one mesh's at a time and finds each reference
    // by comparing names with every material before it.
    if (++materials_ > kMaxMaterials)
        refuse("more than " + number(kMaxMaterials) + " materials");
}

// The importer scans every face of a mesh once for each of its materials, and each skin
// weight set over all the mesh's vertices once for each material.
void XMeshLayout::countSortWork(const Mesh& mesh) {
    const uint64_t parts = std::max<uint64_t>(mesh.materials, 1);
    sortWork_ += parts * (mesh.corners.size() + mesh.skinWeights * mesh.vertices);
    if (sortWork_ > kMaxSortWork)
        refuse(meshCalled(mesh.name) + ": sorting its faces and skin weights by material takes more than " +
               number(kMaxSortWork) + " steps");
}

// Triangles and quads are cut at once; larger faces take about the square of their corners.
void XMeshLayout::countPolygonWork(const Mesh& mesh, uint64_t corners) {
    if (corners <= 4)
        return;
    polygonWork_ += corners * corners;
    if (polygonWork_ > kMaxPolygonWork)
        refuse(meshCalled(mesh.name) + ": cutting its faces of many corners into triangles takes more than " +
               number(kMaxPolygonWork) + " steps");
}

} // namespace qv
