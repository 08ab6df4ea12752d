// Sessions as links in Chromium (`make web-test`): the page opened with a
// link that `sts link` made opens its session once the hub is up and Play
// all cuts plays it; the bar's share button gives, for a session recorded in
// the page, the link `sts link` gives for the file it is saved to, and puts
// it on the clipboard; a damaged link gets Open's message and the page goes
// on with a new session, until a good link put into its address opens; on a
// phone the button and the panel work by touch.
// PLINKPAD_WEB_DIR names the built page, PLINKPAD_PROGRAM the native
// program (the sts tool lies beside it).
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {mkdtempSync, rmSync, writeFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import path from 'node:path';
import {after, before, test} from 'node:test';

import {serve} from '../../platform/web/serve.mjs';
import {hubAtRest, launchChromium, onPage as pointOnPage, readTrace, until} from './page-support.mjs';

const WEB_DIR = process.env.PLINKPAD_WEB_DIR;
const PROGRAM = process.env.PLINKPAD_PROGRAM;
const STS = PROGRAM && path.join(path.dirname(PROGRAM), 'sts');
const TRACE = '/tmp/plinkpad.trace';
const ADDRESS = `?seed=1&trace=${TRACE}`;
const TITLE = 'Shared Session';  // what the session box shows for a linked session
const STAR = {x: 397, y: 94};    // the hub's Star portal, which plays cet16.wav
const OFF_STAGE = {x: 630, y: 470};
// Points of the palette's controls in its drawing area (docs/scripting.md).
const TRACK = [{x: 60, y: 17}, {x: 78, y: 43}];
const RECORD = {x: 42, y: 45}, PLAY_ALL = {x: 60, y: 125}, COMPACT_STOP = {x: 95, y: 18};
const scratch = mkdtempSync(path.join(tmpdir(), 'plinkpad-share-'));

let server, url, browser, context, page;

const trace = () => readTrace(page, TRACE);
const onPage = (p) => pointOnPage(page, p);
const sts = (...args) => execFileSync(STS, args, {encoding: 'utf8'}).trim();

// Index of the first trace line at or after `from` that `match` accepts; -1 for none.
const findLine = (lines, match, from = 0) => lines.findIndex((l, i) => i >= from && match(l));
const untilLine = async (what, match, from = 0) => {
    let lines;
    await until(what, async () => findLine(lines = await trace(), match, from) >= 0);
    return {lines, at: findLine(lines, match, from)};
};

async function moveTo(p) {
    const at = await onPage(p);
    await page.mouse.move(at.x, at.y);
}
async function clickAt(p) {
    await moveTo(p);
    await page.mouse.down();
    await page.mouse.up();
}

// Where the palette's drawing area is now, by its last trace line.
async function paletteAt() {
    const last = (await trace()).filter((l) => l.startsWith('palette ')).pop();
    assert.ok(last, 'the palette is open');
    const [, x, y] = last.split(' ').map(Number);
    return (p) => ({x: x + p.x, y: y + p.y});
}

// Opens the palette with the bar's Tab and points at a track, whose label then names its cut.
async function openPalette() {
    const from = (await trace()).length;
    await page.click('#key-tab');
    await untilLine('the palette', (l) => l.startsWith('palette '), from);
}

// Frames drawn on the canvas stop coming for a while.
async function still() {
    let frames = -1, count = 0;
    await until('the canvas to be still', async () => {
        const now = await page.evaluate(() => plinkpad.framesShown);
        count = now === frames ? count + 1 : 0;
        frames = now;
        return count >= 10;
    });
}

// The share panel's link, once the button has made it.
async function shareLink() {
    await page.click('#share-link');
    await until('the share panel', () => page.locator('#share-panel').isVisible());
    await until('its words', async () => (await page.textContent('#share-state')) !== '');
    const link = await page.inputValue('#share-text');
    await page.click('#share-close');
    assert.equal(await page.locator('#share-panel').isVisible(), false);
    return link;
}

before(async () => {
    assert.ok(WEB_DIR && PROGRAM, 'PLINKPAD_WEB_DIR and PLINKPAD_PROGRAM name the page and the native program');
    ({server, url} = await serve(WEB_DIR));
    browser = await launchChromium();
    context = await browser.newContext({viewport: {width: 800, height: 600}});
    page = await context.newPage();
    page.on('pageerror', (e) => console.log(`page error: ${e.message}`));
});

after(async () => {
    await browser?.close();
    server?.close();
    rmSync(scratch, {recursive: true, force: true});
});

// The link of a session without cuts, for the page at `base`.
function emptySessionLink(base) {
    const empty = path.join(scratch, 'empty.sts');
    writeFileSync(empty, Buffer.from([0xFF, 0xFF, 0, 0, 8, 0, ...Buffer.from('CSession'), ...new Array(24).fill(0)]));
    return sts('link', empty, base);
}

// A Center cut named "Linked jam" in track 1: a roll-over onto the Star portal, then off the stage.
function linkedSession() {
    const json = path.join(scratch, 'jam.json'), file = path.join(scratch, 'jam.sts');
    const cut = {world: 0, name: 'Linked jam', arrangement: null,
                 events: [[1000, 1, STAR.x, STAR.y], [1400, 1, OFF_STAGE.x, OFF_STAGE.y]]};
    writeFileSync(json, JSON.stringify({tracks: [cut]}));
    sts('build', json, file);
    return file;
}

test('a link made by sts link opens its session once the hub is up, and Play all cuts plays it', async () => {
    const link = sts('link', linkedSession(), url + ADDRESS);
    await page.goto(link);
    const {lines, at: opened} = await untilLine('the session to open', (l) => l === `session open ${TITLE}`);
    assert.ok(findLine(lines, (l) => l === 'scene 0') < opened, 'it opens once the hub is up');
    await hubAtRest(page, TRACE);
    await openPalette();
    const palette = await paletteAt();
    await moveTo(palette(TRACK[0]));
    await untilLine('the cut\'s name', (l) => l === 'label Linked jam');
    const from = (await trace()).length;
    await clickAt(palette(PLAY_ALL));
    await untilLine('the cut to play the Star portal', (l) => / cet16\.wav/.test(l) && l.startsWith('play '), from);
    assert.deepEqual((await trace()).filter((l) => l.startsWith('message ')), []);
});

test('the share button gives the link sts link gives for the saved session, and copies it', async () => {
    await context.grantPermissions(['clipboard-read', 'clipboard-write'], {origin: new URL(url).origin});
    // Play all cuts ends: the palette turns full again where it was compact.
    await until('the playback to end', async () => (await trace()).filter((l) => l === 'palette 5 30').length >= 2);
    await still();
    let palette = await paletteAt();
    // A second cut, recorded in the page: the session now has unsaved changes.
    await clickAt(palette(TRACK[1]));
    const recording = (await trace()).length;
    await clickAt(palette(RECORD));
    await untilLine('the palette to turn compact', (l) => l.startsWith('palette '), recording);
    const from = (await trace()).length;
    await moveTo(STAR);
    await untilLine('the recorded roll-over', (l) => /^play \d+ ce/i.test(l), from);
    await moveTo(OFF_STAGE);
    palette = await paletteAt();
    await clickAt(palette(COMPACT_STOP));
    await still();

    const unsaved = await shareLink();
    assert.ok(unsaved.startsWith(url + ADDRESS + '#s='), unsaved.slice(0, 100));
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), unsaved);

    // A click on the stage gives it back the keys, which the palette took.
    await clickAt(OFF_STAGE);
    await still();
    const frames = await page.evaluate(() => plinkpad.framesShown);
    await page.keyboard.press('Control+s');
    await until('the file chooser', async () => (await page.evaluate(() => plinkpad.framesShown)) > frames);
    await still();
    await page.keyboard.type('shared');
    await page.keyboard.press('Enter');
    await untilLine('the save', (l) => l === 'session save /home/web_user/shared.sts');
    const bytes = await page.evaluate(() => Array.from(Module.FS.readFile('/home/web_user/shared.sts')));
    const saved = path.join(scratch, 'shared.sts');
    writeFileSync(saved, Buffer.from(bytes));
    assert.match(sts('show', saved), /Linked jam/);
    assert.notEqual(unsaved, sts('link', linkedSession(), url + ADDRESS), 'the recorded cut is in the link');
    assert.equal(unsaved, sts('link', saved, url + ADDRESS), 'the unsaved session\'s link is the saved file\'s');
    assert.equal(await shareLink(), unsaved, 'saving changes nothing in the link');
});

test('a damaged link gets Open\'s message and the page goes on; a good one put into the address opens', async () => {
    const good = sts('link', linkedSession(), url + ADDRESS);
    await page.goto('about:blank');
    await page.goto(good.slice(0, -3));  // a link cut short is always refused
    const {lines, at: refused} = await untilLine('the message', (l) => l === 'message Unable to load session!');
    assert.ok(findLine(lines, (l) => l === 'scene 0') < refused);
    await page.keyboard.press('Enter');
    await still();
    const from = (await trace()).length;
    await moveTo(STAR);
    await untilLine('the hub to play', (l) => l.startsWith('play ') && / cet16\.wav/.test(l), from);
    await moveTo(OFF_STAGE);
    assert.equal(findLine(await trace(), (l) => l.startsWith('session open')), -1);
    // A new session: the link of one without cuts, shown as well where the
    // page may not write to the clipboard.
    await context.clearPermissions();
    assert.equal(await shareLink(), emptySessionLink(page.url()));

    await Promise.all([page.waitForEvent('load'),
                       page.evaluate((hash) => { location.hash = hash; }, good.slice(good.indexOf('#')))]);
    await untilLine('the linked session', (l) => l === `session open ${TITLE}`);
    assert.deepEqual((await trace()).filter((l) => l.startsWith('message ')), []);
});

test('on a phone, a tap on the share button shows the link in a panel that fits, a tap on Close closes it', async () => {
    const phone = await browser.newContext({viewport: {width: 390, height: 844}, deviceScaleFactor: 2,
                                            hasTouch: true, isMobile: true});
    const onPhone = await phone.newPage();
    await onPhone.goto(url + ADDRESS);
    await until('the hub', async () => (await readTrace(onPhone, TRACE)).includes('scene 0'), 60000);
    await onPhone.tap('#share-link');
    await until('the share panel', () => onPhone.locator('#share-panel').isVisible());
    assert.equal(await onPhone.inputValue('#share-text'), emptySessionLink(url + ADDRESS));
    const box = await onPhone.locator('#share-panel').boundingBox();
    assert.ok(box.x >= 0 && box.y >= 0 && box.x + box.width <= 390 && box.y + box.height <= 844, JSON.stringify(box));
    await onPhone.tap('#share-close');
    await until('the panel to close', async () => !(await onPhone.locator('#share-panel').isVisible()));
    await phone.close();
});
