#include "ContentTool.h"

#include <iostream>

int main(int argc, char** argv) {
    return qv::content::runContentTool(argc, argv, std::cout, std::cerr);
}
