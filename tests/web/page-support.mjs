// What the browser tests share: Chromium, waiting, the page's trace and the hub at rest.
import assert from 'node:assert/strict';

import {chromium} from 'playwright-core';

// Debian's Chromium, headless, with the flags that work on a machine without
// a network or a GPU, and sound allowed without a click (a person's first
// click turns it on; the tests make none first).
export function launchChromium() {
    return chromium.launch({
        executablePath: '/usr/bin/chromium',
        headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
               '--disable-component-update', '--disable-sync', '--autoplay-policy=no-user-gesture-required'],
    });
}

// Polls `check` every 100 ms until it gives a true value, which it returns;
// fails naming `what` after `timeoutMs`.
export async function until(what, check, timeoutMs = 30000) {
    const start = Date.now();
    for (;;) {
        const value = await check();
        if (value) return value;
        if (Date.now() - start > timeoutMs) assert.fail(`timed out waiting for ${what}`);
        await new Promise((r) => setTimeout(r, 100));
    }
}

// The trace lines without their times; [] before the program made the file.
export function readTrace(page, file) {
    return page.evaluate((name) => {
        try {
            return plinkpad.readText(name).split('\n').filter((l) => l).map((l) => l.replace(/^\d+ /, ''));
        } catch {
            return [];
        }
    }, file);
}

// Waits for the hub, then until it is at rest.
export async function hubAtRest(page, traceFile) {
    await until('the hub', async () => (await readTrace(page, traceFile)).includes('scene 0'), 60000);
    await atRest(page);
}

// Waits until no frame has been drawn for a while.
export async function atRest(page) {
    let frames = -1;
    let still = 0;
    await until('the screen to come to rest', async () => {
        const now = await page.evaluate(() => plinkpad.framesShown);
        still = now === frames ? still + 1 : 0;
        frames = now;
        return still >= 15;
    });
}

// Where the middle of desktop pixel `p` is on the page.
export async function onPage(page, p) {
    const box = await page.locator('#canvas').boundingBox();
    return {x: box.x + (p.x + 0.5) * box.width / 640, y: box.y + (p.y + 0.5) * box.height / 480};
}
