// The page on a phone or tablet (`make web-test`), in Chromium with a touch
// screen: the layout at phone and tablet sizes (and their screenshots), a
// finger slid across the hub's portals and a tap on go, swipes that scroll
// nothing, the bar's keys against the keyboard's in the native program, and
// the leave-page question while the session has unsaved changes.
// PLINKPAD_WEB_DIR names the built page, PLINKPAD_PROGRAM the native
// program; PLINKPAD_WEB_SCREENSHOTS, when set, a folder for the screenshots.
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import path from 'node:path';
import {after, before, test} from 'node:test';

import {serve} from '../../platform/web/serve.mjs';
import {hubAtRest, launchChromium, onPage as pointOnPage, readTrace, until} from './page-support.mjs';

const WEB_DIR = process.env.PLINKPAD_WEB_DIR;
const PROGRAM = process.env.PLINKPAD_PROGRAM;
const SHOTS = process.env.PLINKPAD_WEB_SCREENSHOTS;
const TRACE = '/tmp/plinkpad.trace';
// The hub in desktop pixels: its portals (Star, Day, kBot, Troid, Gama,
// with the sounds they play when a finger first slides onto them), go, and
// two places in its halo on no hot-spot.
const PORTALS = [{x: 397, y: 94, sound: 'cet16.wav'}, {x: 498, y: 170, sound: 'cet26.wav'},
                 {x: 478, y: 347, sound: 'cet36.wav'}, {x: 292, y: 343, sound: 'cet46.wav'},
                 {x: 261, y: 175, sound: 'cet56.wav'}];
const [STAR, , KBOT] = PORTALS;
const GO = {x: 390, y: 241};
const HALO_A = {x: 350, y: 180}, HALO_B = {x: 440, y: 300};
const PHONE = {width: 390, height: 844}, TABLET = {width: 1024, height: 768};
const scratch = mkdtempSync(path.join(tmpdir(), 'plinkpad-touch-'));
const outDir = path.join(WEB_DIR || scratch, 'test-output');

let server, url, browser, context, page, cdp;

const trace = () => readTrace(page, TRACE);
const onPage = (p) => pointOnPage(page, p);

// A fresh page with the hub at rest.
async function openHub() {
    await page.goto(url + `?seed=1&trace=${TRACE}`);
    await hubAtRest(page, TRACE);
}

// Touch points are lists of {x, y} in page pixels, one per finger (id = index).
const touch = (type, points) => cdp.send('Input.dispatchTouchEvent',
                                          {type, touchPoints: points.map((p, id) => ({x: p.x, y: p.y, id}))});

// The first finger down at path[0], slid through the rest (page pixels) in
// small steps, and lifted; `others` are fingers that touch meanwhile.
async function slide(pathOnPage, others = []) {
    await touch('touchStart', [pathOnPage[0]]);
    if (others.length) await touch('touchStart', [pathOnPage[0], ...others]);
    for (let i = 1; i < pathOnPage.length; ++i) {
        const [from, to] = [pathOnPage[i - 1], pathOnPage[i]];
        for (let step = 1; step <= 8; ++step) {
            const at = {x: from.x + (to.x - from.x) * step / 8, y: from.y + (to.y - from.y) * step / 8};
            await touch('touchMove', [at, ...others]);
        }
    }
    await touch('touchEnd', []);
}
const slideOnStage = async (points, others = []) =>
    slide(await Promise.all(points.map(onPage)), await Promise.all(others.map(onPage)));
const tapOnStage = (p) => slideOnStage([p]);

// The trace lines the native program writes for `actions` (script lines)
// after the hub's start-up and a second at rest.
function nativeTraceOf(actions) {
    const run = (name, lines) => {
        const script = path.join(scratch, `${name}.script`), out = path.join(scratch, `${name}.trace`);
        writeFileSync(script, ['wait 1000', ...lines, 'quit', ''].join('\n'));
        execFileSync(PROGRAM, ['--headless', '--seed', '1', '--script', script, '--trace', out], {cwd: scratch});
        return readFileSync(out, 'utf8').split('\n').filter((l) => l).map((l) => l.replace(/^\d+ /, ''));
    };
    const rest = run('rest', []);
    const acted = run('acted', actions);
    let common = 0;
    while (common < rest.length && rest[common] === acted[common]) ++common;
    return acted.slice(common);
}

const pressed = (id) => page.getAttribute(`#${id}`, 'aria-pressed');

before(async () => {
    assert.ok(WEB_DIR && PROGRAM, 'PLINKPAD_WEB_DIR and PLINKPAD_PROGRAM name the page and the native program');
    ({server, url} = await serve(WEB_DIR));
    browser = await launchChromium();
    context = await browser.newContext({viewport: PHONE, deviceScaleFactor: 2, hasTouch: true, isMobile: true});
    page = await context.newPage();
    page.on('pageerror', (e) => console.log(`page error: ${e.message}`));
    cdp = await context.newCDPSession(page);
    await openHub();
});

after(async () => {
    await browser?.close();
    server?.close();
    rmSync(scratch, {recursive: true, force: true});
});

test('the canvas and the bar fit phones and tablets, upright and sideways', async () => {
    const layout = () => page.evaluate(() => {
        const box = (id) => document.getElementById(id).getBoundingClientRect();
        const canvas = box('canvas'), stage = box('stage');
        return {
            beside: document.body.classList.contains('bar-beside'), ratio: devicePixelRatio,
            canvas: {width: canvas.width, height: canvas.height}, stage: {width: stage.width, height: stage.height},
            scrolls: document.documentElement.scrollWidth > innerWidth || document.documentElement.scrollHeight > innerHeight,
        };
    });
    // Whole screen pixels per desktop pixel where at least one CSS pixel
    // fits, and then the largest such; else as large as the stage allows.
    const whole = (l) => Number.isInteger(l.canvas.width * l.ratio / 640) && l.canvas.width >= 640 &&
                         ((l.canvas.width * l.ratio / 640 + 1) / l.ratio * 640 > l.stage.width ||
                          (l.canvas.width * l.ratio / 640 + 1) / l.ratio * 480 > l.stage.height);
    const filling = (l) => Math.abs(l.canvas.width - l.stage.width) < 0.5 || Math.abs(l.canvas.height - l.stage.height) < 0.5;
    const cases = [
        {name: 'phone', viewport: PHONE, beside: false, fits: filling, shot: 'web-phone.png'},
        {name: 'phone sideways', viewport: {width: PHONE.height, height: PHONE.width}, beside: true, fits: filling},
        {name: 'tablet', viewport: TABLET, beside: false, fits: whole, shot: 'web-tablet.png'},
        {name: 'tablet upright', viewport: {width: TABLET.height, height: TABLET.width}, beside: false, fits: whole},
    ];
    for (const c of cases) {
        await page.setViewportSize(c.viewport);
        const l = await until(`the ${c.name} layout`, async () => {
            const now = await layout();
            const inside = now.canvas.width <= now.stage.width + 0.5 && now.canvas.height <= now.stage.height + 0.5;
            return now.beside === c.beside && inside && c.fits(now) ? now : null;
        }, 5000).catch(async (e) => {
            throw new Error(`${c.name}: ${JSON.stringify(await layout())}: ${e.message}`);
        });
        assert.equal(l.scrolls, false, `${c.name}: the page scrolls`);
        if (c.shot) {
            const png = await page.screenshot({scale: 'css'});
            mkdirSync(outDir, {recursive: true});
            writeFileSync(path.join(outDir, c.shot), png);
            if (SHOTS) writeFileSync(path.join(SHOTS, c.shot), png);
        }
    }
    await page.setViewportSize(PHONE);
});

// Two fingers `from` pixels either side of `at` spread (or close) to `to`;
// resolves to the page's zoom a moment later.
async function pinch(at, from, to) {
    const pair = (d) => [{x: at.x - d, y: at.y}, {x: at.x + d, y: at.y}];
    await touch('touchStart', pair(from).slice(0, 1));
    await touch('touchStart', pair(from));
    for (let step = 1; step <= 10; ++step) await touch('touchMove', pair(from + (to - from) * step / 10));
    await touch('touchEnd', []);
    await new Promise((r) => setTimeout(r, 800));
    return page.evaluate(() => visualViewport.scale);
}

test('a swipe or a pinch over the canvas scrolls or zooms nothing, over the bar they do', async () => {
    // Something below the page, so that it can scroll at all.
    await page.evaluate(() => {
        const tail = document.createElement('div');
        tail.id = 'test-tail';
        tail.style.height = '100vh';
        document.documentElement.append(tail);
    });
    const scrolled = () => page.evaluate(() => scrollY);
    const bar = await page.locator('#status').boundingBox();
    const swipe = (x, y) => slide([{x, y}, {x, y: y - 300}]);
    await swipe(bar.x + 10, bar.y + bar.height / 2 + 2);
    await until('the swipe over the bar to scroll the page', async () => (await scrolled()) > 0, 5000);
    let last = -1;
    await until('the page to stop scrolling', async () => last === (last = await scrolled()), 5000);
    await page.evaluate(() => scrollTo(0, 0));
    const canvas = await page.locator('#canvas').boundingBox();
    await swipe(canvas.x + canvas.width / 2, canvas.y + canvas.height - 5);
    await new Promise((r) => setTimeout(r, 500));
    assert.equal(await scrolled(), 0);
    await page.evaluate(() => document.getElementById('test-tail').remove());

    assert.equal(await pinch({x: canvas.x + canvas.width / 2, y: canvas.y + canvas.height / 2}, 20, 150), 1);
    const onBar = {x: bar.x + 150, y: bar.y + bar.height / 2};
    assert.ok(await pinch(onBar, 20, 150) > 1, 'a pinch over the bar zooms');
    assert.equal(await pinch(onBar, 150, 10), 1, 'and back');
});

test('a finger slid across the portals plays each; a second finger meanwhile does nothing; a tap on go travels', async () => {
    const start = (await trace()).length;
    // A second finger rests on kBot while the first slides from Star.
    await slideOnStage(PORTALS, [KBOT]);
    const lines = () => trace().then((t) => t.slice(start));
    const portalSounds = PORTALS.map((p) => p.sound);
    // A sound still playing from before plays as a duplicate.
    const played = (t) => t.map((l) => /^play \d+ (\S+)/.exec(l)?.[1]).filter((f) => portalSounds.includes(f));
    await until('the last portal\'s sound', async () => played(await lines()).length >= PORTALS.length, 5000);
    const t = await lines();
    assert.deepEqual(played(t), portalSounds);
    // The finger came up on Gama, a click there that chose it, and then
    // left the stage: the pointer went out of the halo.
    const chosen = t.indexOf('hub choose 120');
    assert.ok(chosen >= 0, 'lifted on Gama, the finger chose it');
    assert.ok(t.slice(chosen).some((l) => /^play \d+ Cehaloot\.wav/.test(l)), 'the lifted finger left the halo');

    await tapOnStage(GO);
    await until('the travel to Gama', async () => (await trace()).includes('scene 5'), 15000);
});

test('Ctrl and Help of the bar by touch give what the keyboard\'s keys give', async () => {
    await openHub();
    const start = (await trace()).length;
    await page.tap('#key-ctrl');
    assert.equal(await pressed('key-ctrl'), 'true');
    // With Ctrl down the portal sounds again as the finger leaves it.
    await slideOnStage([HALO_A, STAR, HALO_B]);
    await page.tap('#key-ctrl');
    assert.equal(await pressed('key-ctrl'), 'false');
    await page.tap('#key-help');
    const upToHelp = (t) => (t.includes('help on') ? t.slice(0, t.indexOf('help on') + 1) : null);
    const got = await until('the help screen', async () => upToHelp((await trace()).slice(start)), 10000);
    const at = (p) => `${p.x} ${p.y}`;
    const expected = upToHelp(nativeTraceOf([
        'keydown ctrl', `move ${at(HALO_A)}`, `down ${at(HALO_A)}`, `move ${at(STAR)}`, `move ${at(HALO_B)}`,
        `up ${at(HALO_B)}`, 'move 0 240', 'keyup ctrl', 'key help']));
    assert.ok(expected, 'the native program shows its help screen');
    assert.deepEqual(got, expected);
});

test('closing the page asks first after a cut is recorded, and not after it is saved and stored', async () => {
    await openHub();
    const traced = (line) => until(line, async () => (await trace()).includes(line), 10000);
    await page.tap('#key-tab');
    await traced('palette 25 50');
    await tapOnStage({x: 25 + 60, y: 50 + 17});  // track 1
    await tapOnStage({x: 25 + 42, y: 50 + 45});  // Record
    await traced('palette 5 30');
    await slideOnStage([HALO_A, STAR, HALO_B]);
    await tapOnStage({x: 5 + 95, y: 30 + 18});   // Stop
    await tapOnStage(HALO_B);  // the keys back to the stage

    const dialogs = [];
    page.on('dialog', (d) => {
        dialogs.push(d.type());
        d.dismiss();  // stays on the page
    });
    await page.close({runBeforeUnload: true});
    await until('the leave-page question', () => dialogs.length > 0, 5000);
    assert.deepEqual(dialogs, ['beforeunload']);
    assert.equal(page.isClosed(), false);

    const frame = await page.screenshot();
    await page.keyboard.press('Control+s');
    await until('the file chooser', async () => !frame.equals(await page.screenshot()), 10000);
    await page.keyboard.type('touch');
    await page.keyboard.press('Enter');
    await until('the session in the browser\'s storage', () => page.evaluate(() =>
        Module.FS.analyzePath('/home/web_user/touch.sts').exists && !plinkpad.storagePending), 10000);
    // A file not yet in the browser's storage (an upload, a save just made) is a question too.
    await page.evaluate(() => Module.FS.writeFile('/home/web_user/upload.sts', new Uint8Array(4)));
    await page.close({runBeforeUnload: true});
    await until('the question for the storage', () => dialogs.length > 1, 5000);
    await until('the storage', () => page.evaluate(() => !plinkpad.storagePending), 5000);
    const closed = new Promise((resolve) => page.once('close', resolve));
    await page.close({runBeforeUnload: true});
    await Promise.race([closed, new Promise((r) => setTimeout(r, 5000))]);
    assert.deepEqual(dialogs, ['beforeunload', 'beforeunload'], 'no question after the save');
    assert.equal(page.isClosed(), true);
});
