#include "platform/Bindings.h"

#include "core/Text.h"
#include "platform/KeyCodes.h"

#include <algorithm>
#include <iterator>

namespace qv {

namespace {

using B = PadButton;
using A = PadAxis;
using Action = GameAction;

std::optional<Bindings::Binding> bindingFromName(std::string_view name) {
    if (auto code = keyCodeFromName(name))
        return Bindings::Binding(*code);
    if (auto input = padInputFromName(name))
        return Bindings::Binding(*input);
    return std::nullopt;
}

std::string bindingName(const Bindings::Binding& binding) {
    if (const auto* code = std::get_if<uint8_t>(&binding))
        return std::string(keyName(*code));
    return padInputName(std::get<PadInput>(binding));
}

} // namespace

Bindings Bindings::defaults() {
    Bindings b;
    b.set(Action::Pedal, {key::kF, key::kC, PadInput::button(B::A)});
    b.set(Action::Brake, {key::kD, key::kX, PadInput::button(B::B)});
    b.set(Action::BackPedal, {key::kR, key::kV, PadInput::positive(A::LeftTrigger)});
    b.set(Action::Jump, {key::kSpace, key::kLShift, PadInput::button(B::X)});
    b.set(Action::Boost, {key::kUp, key::kA, key::kZ, PadInput::button(B::RightShoulder),
                          PadInput::positive(A::RightTrigger)});
    b.set(Action::Left, {key::kLeft, PadInput::button(B::DpadLeft), PadInput::negative(A::LeftX)});
    b.set(Action::Right, {key::kRight, PadInput::button(B::DpadRight), PadInput::positive(A::LeftX)});
    // Back pauses rather than quits: a stray press must not end the game.
    b.set(Action::Pause, {key::kW, key::kP, PadInput::button(B::Back)});
    const uint8_t cameraKeys[] = {key::k0, key::k1, key::k2, key::k3, key::k4, key::k5, key::k6};
    for (size_t i = 0; i < std::size(cameraKeys); ++i)
        b.set(static_cast<Action>(static_cast<size_t>(Action::Camera0) + i), {cameraKeys[i]});
    b.set(Action::Enter, {key::kReturn, PadInput::button(B::Start)});
    b.set(Action::Quit, {key::kEscape});
    return b;
}

std::optional<Bindings::List> Bindings::parse(std::string_view text, std::string& unknown) {
    List list;
    for (size_t start = 0; start <= text.size();) {
        const size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view name = trimmed(text.substr(start, comma - start));
        auto binding = bindingFromName(name);
        if (!binding) {
            unknown = std::string(name);
            return std::nullopt;
        }
        list.push_back(*binding);
        start = comma + 1;
    }
    return list;
}

std::optional<Bindings::Binding> Bindings::firstHotKey(const List& bindings) {
    for (const Binding& binding : bindings) {
        const auto* code = std::get_if<uint8_t>(&binding);
        if (code && std::ranges::find(kHotKeys, *code) != kHotKeys.end())
            return binding;
    }
    return std::nullopt;
}

std::string Bindings::describe(const List& bindings) {
    std::string text;
    for (const Binding& binding : bindings)
        text += (text.empty() ? "" : ", ") + bindingName(binding);
    return text;
}

Bindings::List Bindings::keysOf(const List& bindings) {
    List keys;
    std::ranges::copy_if(bindings, std::back_inserter(keys), isKey);
    return keys;
}

Bindings::List Bindings::padInputsOf(const List& bindings) {
    List inputs;
    std::ranges::copy_if(bindings, std::back_inserter(inputs), [](const Binding& b) { return !isKey(b); });
    return inputs;
}

std::optional<GameAction> Bindings::assign(GameAction action, const Binding& binding) {
    List& own = table_[static_cast<size_t>(action)];
    const auto sameKind = [&](const Binding& b) { return isKey(b) == isKey(binding); };
    const bool had = std::ranges::find(own, binding) != own.end();
    const auto first = std::ranges::find_if(own, sameKind);
    const std::optional<Binding> replaced = !had && first != own.end() ? std::optional(*first) : std::nullopt;

    std::optional<GameAction> previousOwner;
    for (GameAction other : allGameActions()) {
        List& list = table_[static_cast<size_t>(other)];
        const auto held = std::ranges::find(list, binding);
        if (other == action || held == list.end())
            continue;
        // Only the first owner takes the replaced binding in exchange, so it stays single too.
        const bool swap = !previousOwner && replaced && std::ranges::find(list, *replaced) == list.end();
        previousOwner = previousOwner.value_or(other);
        if (swap)
            *held = *replaced;
        else
            list.erase(held);
    }

    // Already the action's: it moves to the front of its kind. Else it takes the first's place.
    std::erase(own, binding);
    const auto slot = std::ranges::find_if(own, sameKind);
    if (replaced)
        *slot = binding;
    else
        own.insert(slot, binding);
    return previousOwner;
}

} // namespace qv
