#include "platform/KeyCodes.h"
#include "platform/SdlKeySource.h"
#include "support/BuildPaths.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

namespace qv {
namespace {

// The constants as KeyCodes.h declares them ("constexpr uint8_t kLShift = 0x2A;" gives
// LSHIFT -> 0x2A), read from the header itself so a constant added there without a name or an
// SDL scancode is caught.
std::map<std::string, int> declaredKeyCodes() {
    std::ifstream header(test::sourceDir() / "src/platform/KeyCodes.h");
    const std::regex constant(R"(constexpr uint8_t k(\w+) = 0x([0-9A-Fa-f]+);)");
    std::map<std::string, int> codes;
    for (std::string line; std::getline(header, line);) {
        std::smatch match;
        if (!std::regex_search(line, match, constant))
            continue;
        std::string name = match[1];
        for (char& c : name)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        codes[name] = std::stoi(match[2], nullptr, 16);
    }
    return codes;
}

TEST(KeyCodesTest, EveryDeclaredConstantIsNamedWithItsCode) {
    const auto declared = declaredKeyCodes();
    ASSERT_GT(declared.size(), 90u);
    EXPECT_EQ(namedKeys().size(), declared.size());
    for (const auto& [name, code] : declared) {
        auto found = keyCodeFromName(name);
        ASSERT_TRUE(found.has_value()) << name;
        EXPECT_EQ(*found, code) << name;
    }
    for (const NamedKey& named : namedKeys()) {
        auto it = declared.find(std::string(named.name));
        ASSERT_NE(it, declared.end()) << named.name;
        EXPECT_EQ(it->second, named.code) << named.name;
    }
}

TEST(KeyCodesTest, NamesIgnoreCaseAndAcceptTheCustomaryAliases) {
    EXPECT_EQ(keyCodeFromName("return"), key::kReturn);
    EXPECT_EQ(keyCodeFromName("LShift"), key::kLShift);
    EXPECT_EQ(keyCodeFromName("a"), key::kA);
    EXPECT_EQ(keyCodeFromName("BACKSPACE"), key::kBack);
    EXPECT_EQ(keyCodeFromName("LALT"), key::kLMenu);
    EXPECT_EQ(keyCodeFromName("PGDN"), key::kNext);
    EXPECT_EQ(keyCodeFromName("uparrow"), key::kUp);
}

TEST(KeyCodesTest, UnknownNamesGiveNothing) {
    for (const char* name : {"", "RET", "RETURNX", "DIK_RETURN", "10", "F13", " A", "A "})
        EXPECT_FALSE(keyCodeFromName(name).has_value()) << '"' << name << '"';
}

TEST(SdlKeyMappingTest, EveryNamedKeyMapsToItsOwnScancodeAndBack) {
    std::set<SDL_Scancode> used;
    for (const NamedKey& named : namedKeys()) {
        const SDL_Scancode scancode = SdlKeySource::scancodeFor(named.code);
        ASSERT_NE(scancode, SDL_SCANCODE_UNKNOWN) << named.name;
        EXPECT_TRUE(used.insert(scancode).second) << named.name << " shares a scancode";
        EXPECT_EQ(SdlKeySource::codeFor(scancode), named.code) << named.name;
    }
    EXPECT_EQ(SdlKeySource::scancodeFor(0x00), SDL_SCANCODE_UNKNOWN);
    EXPECT_FALSE(SdlKeySource::codeFor(SDL_SCANCODE_UNKNOWN).has_value());
    EXPECT_FALSE(SdlKeySource::codeFor(SDL_SCANCODE_MUTE).has_value());
}

// SDL's own key names are an independent check that each code lands on the right key.
TEST(SdlKeyMappingTest, LettersDigitsAndFunctionKeysCarrySdlsNameForThem) {
    for (const NamedKey& named : namedKeys()) {
        const bool plain =
            named.name.size() == 1 || (named.name[0] == 'F' && named.name.size() <= 3 &&
                                       std::isdigit(static_cast<unsigned char>(named.name[1])));
        if (plain) {
            EXPECT_EQ(SDL_GetScancodeName(SdlKeySource::scancodeFor(named.code)), named.name);
        }
    }
}

TEST(SdlKeyMappingTest, OtherKeysLandOnTheKeySdlNames) {
    // The keys the game reacts to, and the ones most easily confused with a neighbour.
    const std::map<std::string, std::string> sdlNames = {
        {"ESCAPE", "Escape"},      {"RETURN", "Return"},     {"NUMPADENTER", "Keypad Enter"},
        {"SPACE", "Space"},        {"LSHIFT", "Left Shift"}, {"RSHIFT", "Right Shift"},
        {"LCONTROL", "Left Ctrl"}, {"RMENU", "Right Alt"},   {"UP", "Up"},
        {"DOWN", "Down"},          {"LEFT", "Left"},         {"RIGHT", "Right"},
        {"PRIOR", "PageUp"},       {"NEXT", "PageDown"},     {"MULTIPLY", "Keypad *"},
        {"SUBTRACT", "Keypad -"},  {"DECIMAL", "Keypad ."},  {"GRAVE", "`"},
        {"SYSRQ", "PrintScreen"},
    };
    for (const auto& [name, sdlName] : sdlNames) {
        auto code = keyCodeFromName(name);
        ASSERT_TRUE(code.has_value()) << name;
        EXPECT_EQ(SDL_GetScancodeName(SdlKeySource::scancodeFor(*code)), sdlName) << name;
    }
}

// SDL offers no public way to press a key, so the test writes SDL's own key state array.
class SdlKeySourceFocusTest : public testing::Test {
  protected:
    void SetUp() override {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            GTEST_SKIP() << "no SDL video driver: " << SDL_GetError();
        window_ = SDL_CreateWindow("keys", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
        if (window_ == nullptr)
            GTEST_SKIP() << "no window: " << SDL_GetError();
        SDL_PumpEvents();
        state_ = const_cast<Uint8*>(SDL_GetKeyboardState(nullptr));
    }
    void TearDown() override {
        if (state_ != nullptr)
            state_[SDL_SCANCODE_A] = 0;
        if (window_ != nullptr)
            SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    SDL_Window* window_ = nullptr;
    Uint8* state_ = nullptr;
};

TEST_F(SdlKeySourceFocusTest, KeysReadUpWhileTheWindowHasNoKeyboardFocus) {
    ASSERT_NE(SDL_GetKeyboardFocus(), window_) << "a hidden window should not have focus";
    state_[SDL_SCANCODE_A] = 1;
    EXPECT_FALSE(SdlKeySource(window_).isDown(key::kA));
    EXPECT_FALSE(SdlKeySource(nullptr).isDown(key::kA));
}

} // namespace
} // namespace qv
