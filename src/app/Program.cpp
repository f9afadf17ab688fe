#include "app/Program.h"

#include "app/DisplayExtras.h"
#include "app/ErrorLog.h"
#include "app/GameDirector.h"
#include "app/HotKeys.h"
#include "app/MenuScreens.h"
#include "app/TraceWriter.h"
#include "app/WindowSession.h"
#include "assets/PngWriter.h"
#include "assets/ScreenshotFolder.h"
#include "bot/Autopilot.h"
#include "characters/GoalCourse.h"
#include "core/FatalError.h"
#include "field/Field.h"
#include "field/WaterSurface.h"
#include "platform/GameAction.h"
#include "platform/GlRenderDevice.h"
#include "platform/KeyboardInput.h"
#include "platform/MixerSoundSystem.h"
#include "platform/NullSoundSystem.h"
#include "platform/RecordingRenderDevice.h"
#include "platform/ScriptedKeySource.h"
#include "platform/SdlClock.h"
#include "platform/SdlKeySource.h"
#include "platform/SdlPadSource.h"
#include "platform/SdlWindow.h"
#include "platform/VirtualClock.h"
#include "scene/Scene.h"

#include <algorithm>
#include <ctime>
#include <iostream>

namespace qv {

namespace {
constexpr const char* kTitle = "Qorvex";
// The part of the 17 ms tick a frame may take before its 3D part is drawn smaller; the rest is
// the game's own work and room to spare.
constexpr double kFrameBudgetMs = 12.0;
} // namespace

Program::Program(CommandLine commandLine, PlayerFiles files, std::optional<ReplayRun> watch)
    : commandLine_(std::move(commandLine)), files_(std::move(files)), watch_(std::move(watch)),
      settings_(files_.settings()) {}

Program::~Program() {
    destroyServices();
    window_.reset();
}

int Program::run() {
    try {
        start();
        mainLoop();
        shutdown();
        return 0;
    } catch (const std::exception& e) {
        fail(e);
        return 1;
    }
}

// error.log keeps the one line it has always had; the detail (which file, why) follows it on
// standard error. A run cut short keeps its files, as far as they can still be written.
void Program::fail(const std::exception& error) {
    writeErrorLog(error.what(), files_.errorLog());
    if (const auto* fatal = dynamic_cast<const FatalError*>(&error); fatal && !fatal->detail().empty())
        std::cerr << "qorvex: " << fatal->detail() << "\n";
    try {
        if (director_)
            director_->finishRun();
    } catch (const std::exception& e) {
        std::cerr << "qorvex: " << e.what() << "\n";
    }
    if (windowSession_)
        windowSession_->close();
    destroyServices();
}

void Program::start() {
    state_.reset();
    state_.sightRange = GameState::clampSightRange(settings_.read(setting::kSightRange));
    openWindow();
    state_.random.seed(commandLine_.seed ? *commandLine_.seed : static_cast<uint32_t>(std::time(nullptr)));
    buildServices();
    if (watch_) {
        director_->watch(std::move(*watch_), true);
        watch_.reset();
    }
    if (!commandLine_.traceFile.empty()) {
        trace_ = std::make_unique<TraceWriter>(commandLine_.traceFile);
        if (!trace_->good())
            throw FatalError("ERROR : cannot write trace file " + commandLine_.traceFile);
    }
}

// The window comes back as the player left it; the settings give its first size and mode, and
// every size in the headless runner, which neither reads nor writes the player's window state.
void Program::openWindow() {
    if (commandLine_.headless && !commandLine_.gl)
        return;
    WindowState first{settings_.read(setting::kWidth), settings_.read(setting::kHeight),
                      !commandLine_.headless && settings_.read(setting::kFullscreen) != 0};
    if (!commandLine_.headless && (savedWindow_ = readWindowState(files_.windowState())))
        first = *savedWindow_;
    window_ = std::make_unique<SdlWindow>(kTitle, first.width, first.height, first.fullscreen);
}

void Program::buildServices() {
    uint32_t width = static_cast<uint32_t>(settings_.read(setting::kWidth));
    uint32_t height = static_cast<uint32_t>(settings_.read(setting::kHeight));
    if (window_) {
        graphics_ = std::make_unique<GlRenderDevice>(*window_, width, height, presentOptions());
    } else {
        auto recorder =
            std::make_unique<RecordingRenderDevice>(RecordingRenderDevice::Vertices::Skip, width, height);
        recorder_ = recorder.get();
        graphics_ = std::move(recorder);
    }

    if (commandLine_.headless) {
        auto sound = std::make_unique<NullSoundSystem>();
        nullSound_ = sound.get();
        sound_ = std::move(sound);
    } else
        sound_ = std::make_unique<MixerSoundSystem>();

    buildInput();
    buildExtras();
    buildMenus();
    director_ = std::make_unique<GameDirector>(*graphics_, *sound_, *keyboard_, *clock_, state_, settings_,
                                               std::cerr, files_, menus_.get());
}

// Keys and pad through the player's bindings, read from the settings once, here, so a bad line
// is told once; the headless runner's key script drives keys, pad and window focus.
void Program::buildInput() {
    SdlKeySource* windowKeys = nullptr;
    SdlClock* windowClock = nullptr;
    if (commandLine_.headless) {
        auto script = std::make_unique<ScriptedKeySource>(
            commandLine_.keysFile.empty() ? ScriptedKeySource::fromText("")
                                          : ScriptedKeySource::fromFile(commandLine_.keysFile));
        script_ = script.get();
        pad_ = script_;
        focus_ = script_;
        keySource_ = std::move(script);
        clock_ = std::make_unique<VirtualClock>();
    } else {
        keySource_ = std::make_unique<SdlKeySource>(window_->handle());
        windowKeys = static_cast<SdlKeySource*>(keySource_.get());
        sdlPad_ = std::make_unique<SdlPadSource>(window_->handle(), files_.padMappings(), std::cerr);
        pad_ = sdlPad_.get();
        clock_ = std::make_unique<SdlClock>();
        windowClock = static_cast<SdlClock*>(clock_.get());
        focus_ = window_.get();
    }
    if (window_)
        windowSession_ = std::make_unique<WindowSession>(*window_, windowKeys, windowClock,
                                                         commandLine_.headless ? "" : files_.windowState(),
                                                         savedWindow_, std::cerr);
    if (commandLine_.autopilot)
        autopilot_ = std::make_unique<Autopilot>();
    keyboard_ =
        std::make_unique<KeyboardInput>(*keySource_, *pad_, settings_.bindings(std::cerr), autopilot_.get());
}

// The player's own keys (mute, FPS display, screenshot) and what they show over every frame.
void Program::buildExtras() {
    screenshots_ = std::make_unique<ScreenshotFolder>(files_.screenshots());
    extras_ = std::make_unique<DisplayExtras>(*clock_, *screenshots_, std::cerr);
    if (settings_.read(setting::kShowFps) != 0)
        extras_->toggleFps();
    hotKeys_ = std::make_unique<HotKeys>(*keySource_, *sound_, *extras_);
}

// The screens over the game draw, and then the display extras over them.
void Program::buildMenus() {
    menuInput_ = std::make_unique<MenuInput>(*keySource_, *pad_);
    const bool classic = settings_.read(setting::kClassicPicture) != 0;
    menus_ = std::make_unique<MenuScreens>(
        *menuInput_, *extras_,
        OptionPages::Services{settings_, *sound_, *keyboard_, *extras_, window_.get(), files_, classic});
    graphics_->setFrameOverlay(menus_.get());
}

// The loop handles every pending window event, takes at most one message per pass and gives the
// director one tick per pass. A quit request (window closed, Escape held, director stopped)
// travels as Destroy then Quit, so the loop ends on the pass after the one that saw it, as a
// windowed program's message queue does.
void Program::mainLoop() {
    bool quit = false;
    while (!quit) {
        beforeTick();
        if (!director_->running() || director_->quitAsked())
            messages_.push_back(Message::Destroy);
        if (windowSession_ && windowSession_->pass())
            messages_.push_back(Message::Destroy);
        if ((windowSession_ && windowSession_->pictureChanged()) || extras_->needsFrames(clock_->now()))
            director_->requestRedraw();
        Message message;
        if (takeMessage(message)) {
            keyboard_->unacquire();
            if (message == Message::Destroy)
                messages_.push_back(Message::Quit);
            else
                quit = true;
        }
        if (focus_ && !focus_->focused())
            director_->windowFocusLost();
        director_->tick();
        ++ticks_;
        afterTick();
        if (commandLine_.ticks && ticks_ >= *commandLine_.ticks)
            break;
    }
}

// Keys and pad for the coming tick: the script's or the pads', the player's own keys acted on,
// then the autopilot's on top (never in the demo, where the arrows would switch the mode).
void Program::beforeTick() {
    if (script_)
        script_->advanceTo(ticks_ + 1);
    if (sdlPad_)
        sdlPad_->update();
    hotKeys_->poll();
    if (!autopilot_)
        return;
    const Scene* scene = director_->scene();
    Autopilot::View view;
    if (scene && !state_.demoMode && scene->rider() && scene->goalCourse() && scene->field() &&
        scene->water()) {
        view = {scene->rider(), &scene->goalCourse()->goalPosition(), &scene->field()->grid(),
                scene->water()->waterLevel()};
    }
    autopilot_->plan(view);
}

// Screenshots need frames that can still be read after they are shown; the headless runner's
// pictures must not depend on how fast the machine is.
GlPresentOptions Program::presentOptions() const {
    const bool classic = settings_.read(setting::kClassicPicture) != 0;
    return {!commandLine_.screenshots.empty(), commandLine_.headless ? 0.0 : kFrameBudgetMs, 0.0f,
            classic ? PictureMode::Classic : PictureMode::Widescreen};
}

bool Program::takeMessage(Message& message) {
    if (messages_.empty())
        return false;
    message = messages_.front();
    messages_.pop_front();
    return true;
}

void Program::afterTick() {
    if (trace_)
        trace_->write(ticks_, *director_, state_);
    saveScreenshots();
    if (recorder_)
        recorder_->clearLog(); // the headless device keeps no history between ticks
    if (nullSound_) {
        mostSoundEventsHeld_ = std::max(mostSoundEventsHeld_, nullSound_->events().size());
        nullSound_->clearEvents(); // nor the headless sound system
    }
}

void Program::saveScreenshots() {
    for (const ScreenshotRequest& shot : commandLine_.screenshots) {
        if (shot.tick != ticks_)
            continue;
        Image image;
        if (!graphics_->readBackBuffer(image) || !writePng(shot.path, image))
            std::cerr << "qorvex: could not save screenshot " << shot.path << "\n";
    }
}

void Program::shutdown() {
    if (windowSession_)
        windowSession_->close();
    director_->setState(GameDirector::Quit);
    director_->tick();
    ++ticks_;
    if (trace_) {
        trace_->write(ticks_, *director_, state_);
        // A trace cut short (a full disk) must not pass for a whole one.
        if (!trace_->close())
            throw FatalError("ERROR : cannot write trace file " + commandLine_.traceFile);
    }
    destroyServices();
}

void Program::destroyServices() {
    if (trace_)
        trace_->close(); // the trace is complete once run() returns
    trace_.reset();
    hotKeys_.reset();
    if (graphics_)
        graphics_->setFrameOverlay(nullptr);
    director_.reset();
    menus_.reset();
    menuInput_.reset();
    extras_.reset();
    screenshots_.reset();
    director_.reset();
    graphics_.reset();
    recorder_ = nullptr;
    sound_.reset();
    nullSound_ = nullptr;
    keyboard_.reset();
    autopilot_.reset();
    windowSession_.reset();
    focus_ = nullptr;
    keySource_.reset();
    script_ = nullptr;
    sdlPad_.reset();
    pad_ = nullptr;
    clock_.reset();
}

} // namespace qv
