#pragma once

#include "platform/GraphicsDevice.h"

#include <memory>
#include <string>

namespace qv {

class ContentCache;

// The pixel formats the game asks for when it creates a texture from a file.
enum class TextureFormat { A8R8G8B8, A1R5G5B5 };

// Reads a DDS file and creates a device texture in the given format. Null on any failure (then
// problem, when given, says what was wrong with the file); the caller raises its own error.
std::unique_ptr<Texture> loadTexture(GraphicsDevice& device, const std::string& path, TextureFormat format,
                                     std::string* problem = nullptr);

// The message a scene texture that cannot be made leaves in error.log.
inline constexpr const char* kCreateTextureMessage = "ERROR : Create Direct3DTexture";

// loadTexture for a texture the game cannot do without: throws FatalError(message) with the file
// named in the error's detail.
std::unique_ptr<Texture> requireTexture(GraphicsDevice& device, const std::string& path,
                                        TextureFormat format = TextureFormat::A8R8G8B8,
                                        const char* message = kCreateTextureMessage);

// requireTexture for a scene's texture: the picture comes from the content cache, decoded once
// for every scene that uses it; the texture is made on the device each time.
std::unique_ptr<Texture> requireTexture(GraphicsDevice& device, ContentCache& content,
                                        const std::string& path);

// Reduces every pixel to what A1R5G5B5 can hold: 5 bits per colour (widened back to 8 by bit
// repetition) and alpha either 0 or 255, split at 128.
void quantizeToA1R5G5B5(Image& image);

} // namespace qv
