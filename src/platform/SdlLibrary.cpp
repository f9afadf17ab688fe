#include "platform/SdlLibrary.h"

#include <SDL.h>

namespace qv {

SdlLibrary::~SdlLibrary() {
    SDL_Quit();
}

} // namespace qv
