// The SDL backend's key table fed by real SDL events (queued the way the
// window system queues them): the held state keyDown reads, and the presses
// counted for keys that act once per press, however short the press.
#include "platform/input.h"
#include "platform/test_seam.h"
#include "platform/video.h"
#include "platform/window.h"

#include <SDL.h>

#include <gtest/gtest.h>

namespace {
void queueKey(SDL_Scancode scancode, bool down, bool repeated = false)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeated ? 1 : 0;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
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
