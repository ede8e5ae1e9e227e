// The SDL backend's key table fed by real SDL events (queued the way the
// window system queues them): the held state keyDown reads, the presses
// counted for keys that act once per press, however short the press, and
// letters read by the layout's labels, not by their US positions.
#include "platform/input.h"
#include "platform/test_seam.h"
#include "platform/video.h"
#include "platform/window.h"

#include <SDL.h>

#include <gtest/gtest.h>

namespace {
// A key event as a layout that types `sym` on the key at `scancode` sends it.
void queueKeyTyping(SDL_Scancode scancode, SDL_Keycode sym, bool down, bool repeated = false,
                    Uint16 modifiers = KMOD_NONE)
{
    SDL_Event event{};
    event.key.keysym.mod = modifiers;
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeated ? 1 : 0;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = sym;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

// A key event on the US layout.
void queueKey(SDL_Scancode scancode, bool down, bool repeated = false)
{
    const SDL_Keycode usSym = scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z
                                  ? SDLK_a + (scancode - SDL_SCANCODE_A)
                                  : SDL_GetKeyFromScancode(scancode);
    queueKeyTyping(scancode, usSym, down, repeated);
}

void pumpAll()
{
    while (pumpOneMessage()) {
    }
}

class KeyEvents : public testing::Test {
protected:
    void SetUp() override
    {
        stopScriptedKeys(); // the window system's keys, as the program reads them
        setVideoMode(320, 240);
        ASSERT_TRUE(openGameWindow());
        pumpAll();
        takeKeyPresses(vkF12);
    }
    void TearDown() override
    {
        queueKey(SDL_SCANCODE_F12, false);
        pumpAll();
        destroyWindowAndContext();
    }
};
}

TEST_F(KeyEvents, ATapBetweenTwoPollsIsOnePressThoughTheKeyIsUpAgain)
{
    queueKey(SDL_SCANCODE_F12, true);
    queueKey(SDL_SCANCODE_F12, false);
    pumpAll();
    EXPECT_EQ(keyDown(vkF12), 0);
    EXPECT_EQ(takeKeyPresses(vkF12), 1);
    EXPECT_EQ(takeKeyPresses(vkF12), 0); // taken once

    for (int tap = 0; tap < 3; ++tap) {
        queueKey(SDL_SCANCODE_F12, true);
        queueKey(SDL_SCANCODE_F12, false);
    }
    pumpAll();
    EXPECT_EQ(takeKeyPresses(vkF12), 3);
}

TEST_F(KeyEvents, AHeldKeyIsOnePressWhateverItsAutoRepeat)
{
    queueKey(SDL_SCANCODE_F12, true);
    for (int repeat = 0; repeat < 5; ++repeat)
        queueKey(SDL_SCANCODE_F12, true, true);
    pumpAll();
    EXPECT_EQ(keyDown(vkF12), 1);
    EXPECT_EQ(takeKeyPresses(vkF12), 1);
    queueKey(SDL_SCANCODE_F12, false);
    pumpAll();
    EXPECT_EQ(keyDown(vkF12), 0);
    EXPECT_EQ(takeKeyPresses(vkF12), 0);
}

TEST_F(KeyEvents, OtherKeysKeepTheirHeldStateAndCountTheirOwnPresses)
{
    queueKey(SDL_SCANCODE_RIGHT, true);
    queueKey(SDL_SCANCODE_F12, true);
    queueKey(SDL_SCANCODE_F12, false);
    pumpAll();
    EXPECT_EQ(keyDown(vkRight), 1);
    EXPECT_EQ(takeKeyPresses(vkRight), 1);
    EXPECT_EQ(takeKeyPresses(vkF12), 1);
    queueKey(SDL_SCANCODE_RIGHT, false);
    pumpAll();
    EXPECT_EQ(keyDown(vkRight), 0);
}

namespace {
// Whether the key at `scancode`, typing `sym` with `modifiers` locked,
// holds virtual key `vk`.
bool holds(SDL_Scancode scancode, SDL_Keycode sym, int vk, Uint16 modifiers = KMOD_NONE)
{
    queueKeyTyping(scancode, sym, true, false, modifiers);
    pumpAll();
    const bool held = keyDown(vk) == 1;
    queueKeyTyping(scancode, sym, false, false, modifiers);
    pumpAll();
    return held && keyDown(vk) == 0;
}
}

TEST_F(KeyEvents, LettersGoByTheLayoutsLabelsAsWindowsVirtualKeysDo)
{
    EXPECT_TRUE(holds(SDL_SCANCODE_M, SDLK_m, vkM)); // US
    // French AZERTY: M right of L, a comma in US M's place, Z in US W's.
    EXPECT_TRUE(holds(SDL_SCANCODE_SEMICOLON, SDLK_m, vkM));
    EXPECT_FALSE(holds(SDL_SCANCODE_M, SDLK_COMMA, vkM));
    EXPECT_TRUE(holds(SDL_SCANCODE_W, SDLK_z, vkZ));
    // German QWERTZ: Z and Y change places.
    EXPECT_TRUE(holds(SDL_SCANCODE_Y, SDLK_z, vkZ));
    EXPECT_FALSE(holds(SDL_SCANCODE_Z, SDLK_y, vkZ));
    EXPECT_TRUE(holds(SDL_SCANCODE_Z, SDLK_y, 'Y'));
    // A layout typing no Latin letters keeps the positions' letters.
    EXPECT_TRUE(holds(SDL_SCANCODE_M, 0x44C /* Cyrillic soft sign */, vkM));
}

TEST_F(KeyEvents, KeysWithNoLetterKeepTheirPositions)
{
    // AZERTY types & on the 1 key and parentheses elsewhere; the keys stay.
    EXPECT_TRUE(holds(SDL_SCANCODE_1, SDLK_AMPERSAND, '1'));
    EXPECT_TRUE(holds(SDL_SCANCODE_F7, SDLK_F7, vkF7));
    EXPECT_TRUE(holds(SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS, vkAdd));
    EXPECT_TRUE(holds(SDL_SCANCODE_LEFT, SDLK_LEFT, vkLeft));
}

TEST_F(KeyEvents, TheKeypadsArrowsAreArrowsWithNumLockOff)
{
    const std::pair<SDL_Scancode, int> arrows[] = {{SDL_SCANCODE_KP_4, vkLeft},
                                                   {SDL_SCANCODE_KP_8, vkUp},
                                                   {SDL_SCANCODE_KP_6, vkRight},
                                                   {SDL_SCANCODE_KP_2, vkDown}};
    for (const auto& [scancode, vk] : arrows) {
        const SDL_Keycode sym = SDL_GetKeyFromScancode(scancode);
        EXPECT_TRUE(holds(scancode, sym, vk)) << vk;
        EXPECT_FALSE(holds(scancode, sym, vk, KMOD_NUM)) << vk; // digits then
    }
}
