#include "scene/ViewTexts.h"

#include "game/MatchState.h"
#include "scene/HudGlyphs.h"
#include "scene/World.h"

#include <algorithm>

namespace vtx {

namespace {

// Characters of a UTF-8 text: each starts with a byte that is no continuation.
std::size_t characters(std::string_view utf8) {
    return std::size_t(std::count_if(utf8.begin(), utf8.end(),
                                     [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

} // namespace

ViewTexts::ViewTexts(World& world, const MatchState& state) : m_world(world), m_state(state) {}

void ViewTexts::resetCreationState() {
    m_pulseStep = 5;
}

void ViewTexts::showWinMessage(std::string text) {
    m_world.resultText->position.x = 40.0f;
    m_world.resultText->text = std::move(text);
    m_world.resultText->visible = true;
}

void ViewTexts::showLossMessage(std::string text) {
    m_world.resultText->position.x = 30.0f;
    m_world.resultText->text = std::move(text);
    m_world.resultText->visible = true;
}

void ViewTexts::hideResult() {
    m_world.resultText->visible = false;
    m_pulse = 100;
}

void ViewTexts::showLogo(bool visible) {
    m_world.logo->visible = visible;
}

void ViewTexts::showBanner(std::string text) {
    HudText& line = *m_world.resultText;
    const float width = float(characters(text) * (hud::Cell + hud::Gap));
    line.text = std::move(text);
    line.position.x = std::max(8.0f, (ViewerWidth - width) / 2.0f);
    line.modulateColor = {1.0f, 1.0f, 1.0f, 1.0f};
    line.visible = true;
}

void ViewTexts::hideBanner() {
    m_world.resultText->visible = false;
}

void ViewTexts::tickTimerFired() {
    if (!m_state.gameWon && !m_state.gameLost) return;
    if (m_pulse < 0) m_pulseStep = -m_pulseStep;
    if (m_pulse > 100) m_pulseStep = -m_pulseStep;
    const float pulse = float(std::clamp(m_pulse, 0, 100)) / 100.0f;
    m_world.resultText->modulateColor = {1.0f, 1.0f, 1.0f,
                                         MessageAlphaLow + (1.0f - MessageAlphaLow) * pulse};
    m_pulse += m_pulseStep;
}

} // namespace vtx
