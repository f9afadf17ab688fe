#include "LetteringSheets.h"

#include "pictures/SignArt.h"
#include "pictures/SignSheet.h"

#include <algorithm>
#include <string>
#include <vector>

namespace qv::content {

namespace {

using namespace signs;

constexpr float kEdge = 8.0f; // overlay units kept free at either end of a line

// One line of runs centred on the quad.
SignSheet::Art centredLine(const Lettering& lettering, std::vector<TextRun> runs, Vec2 quad,
                           float capHeight) {
    return [&lettering, runs = std::move(runs), quad, capHeight](Canvas& canvas, float unit) {
        writeLine(lettering, canvas, unit, runs, {0.5f * quad.x, 0.5f * quad.y}, 0.5f, capHeight,
                  quad.x - 2.0f * kEdge);
    };
}

// The endless title shares the stage title's quad and is centred on the screen, not the quad.
SignSheet::Art endlessTitle(const Lettering& lettering) {
    return [&lettering](Canvas& canvas, float unit) {
        const float centre = 320.0f - kTitleLeft;
        const float room = 2.0f * std::min(centre, kTitleQuad.x - centre) - kEdge;
        writeLine(lettering, canvas, unit, {{"ENDLESS", skyLetters()}}, {centre, kTitleMiddle - kTitleTop},
                  0.5f, kTitleCapHeight, room);
    };
}

// A sign on a plate: the start banner and the demo caption.
void plate(Canvas& canvas, float unit, Vec2 quad, float frame) {
    constexpr float kInset = 2.5f;
    drawPlate(canvas, {kInset * unit, kInset * unit}, {(quad.x - kInset) * unit, (quad.y - kInset) * unit},
              frame * unit);
}

SignSheet::Art startBanner(const Lettering& lettering) {
    return [&lettering](Canvas& canvas, float unit) {
        plate(canvas, unit, kStartQuad, 3.5f);
        writeLine(lettering, canvas, unit, {{"GET READY", goldLetters()}},
                  {0.5f * kStartQuad.x, 0.5f * kStartQuad.y}, 0.5f, 24.0f, kStartQuad.x - 4.0f * kEdge);
    };
}

// The demo caption: a small heading over a big line, on a plate. The mode rows carry pointers at
// both ends, for the arrow keys that switch the mode.
SignSheet::Art caption(const Lettering& lettering, const std::string& heading, const std::string& big,
                       bool pointers) {
    return [&lettering, heading, big, pointers](Canvas& canvas, float unit) {
        const Vec2 q = kCaptionQuad;
        plate(canvas, unit, q, 4.0f);
        writeLine(lettering, canvas, unit, {{heading, skyLetters()}}, {0.5f * q.x, 30.0f}, 0.5f, 13.0f,
                  q.x - 4.0f * kEdge);
        const float bigRoom = pointers ? q.x - 14.0f * kEdge : q.x - 4.0f * kEdge;
        writeLine(lettering, canvas, unit, {{big, goldLetters()}}, {0.5f * q.x, 66.0f}, 0.5f, 28.0f, bigRoom);
        if (!pointers)
            return;
        for (float side : {-1.0f, 1.0f})
            drawPointer(canvas, {(0.5f * q.x + side * (0.5f * q.x - 4.0f * kEdge)) * unit, 66.0f * unit},
                        22.0f * unit, side, skyLetters(), rimFor(22.0f) * unit);
    };
}

std::vector<TextRun> goalsLeft(int goals) {
    return {{std::to_string(goals), goldLetters()},
            {goals == 1 ? " GOAL LEFT" : " GOALS LEFT", plainLetters()}};
}

} // namespace

Image signSheet(const TextRenderer& text) {
    const Lettering lettering(text);
    SignSheet sheet;
    sheet.paint(SignSheet::row(kEndlessTitleRow), kTitleQuad, endlessTitle(lettering));
    sheet.paint(SignSheet::row(kStartBannerRow), kStartQuad, startBanner(lettering));
    sheet.paint(SignSheet::row(kRaceBannerRow), kBannerQuad,
                centredLine(lettering, {{"GO!", goLetters()}}, kBannerQuad, 38.0f));
    sheet.paint(SignSheet::row(kFinishBannerRow), kBannerQuad,
                centredLine(lettering, {{"TIME UP!", alarmLetters()}}, kBannerQuad, 32.0f));
    return sheet.image();
}

Image modeSheet(const TextRenderer& text) {
    const Lettering lettering(text);
    SignSheet sheet;
    sheet.paint(SignSheet::row(kDemoPromptRow), kCaptionQuad,
                caption(lettering, "DEMO", "PRESS ENTER", false));
    sheet.paint(SignSheet::row(kStageModeRow), kCaptionQuad, caption(lettering, "MODE", "STAGE", true));
    sheet.paint(SignSheet::row(kEndlessModeRow), kCaptionQuad, caption(lettering, "MODE", "ENDLESS", true));
    sheet.paint(SignSheet::row(kClearedRow), kClearedQuad,
                centredLine(lettering, {{"STAGE CLEAR!", goldLetters()}}, kClearedQuad, 40.0f));
    return sheet.image();
}

Image remainingSheet(const TextRenderer& text) {
    const Lettering lettering(text);
    SignSheet sheet;
    for (int r = 0; r < SignSheet::kGrid; ++r)
        sheet.paint(SignSheet::row(r), kRemainingQuad,
                    centredLine(lettering, goalsLeft(r + 1), kRemainingQuad, 30.0f));
    return sheet.image();
}

} // namespace qv::content
