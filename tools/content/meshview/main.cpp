#include "meshes/MeshViewTool.h"

#include <iostream>

int main(int argc, char** argv) {
    return qv::content::runMeshView(argc, argv, std::cout, std::cerr);
}
