// The page in Chromium (`make web-test`): it reaches the hub and shows, pixel
// for pixel, what the native program shows headless at that moment; a move
// over a hot-spot starts a sound; Ctrl+S saves a session into the browser's
// storage and Ctrl+O opens it again after the page was reloaded.
// PLINKPAD_WEB_DIR names the built page, PLINKPAD_PROGRAM the native program.
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import path from 'node:path';
import {after, before, test} from 'node:test';

import {chromium} from 'playwright-core';

import {serve} from '../../platform/web/serve.mjs';
import {hubAtRest as waitForHubAtRest, onPage as pointOnPage, readTrace, until} from './page-support.mjs';

const WEB_DIR = process.env.PLINKPAD_WEB_DIR;
const PROGRAM = process.env.PLINKPAD_PROGRAM;
const TRACE = '/tmp/plinkpad.trace';
const ADDRESS = `?seed=1&trace=${TRACE}`;
const HUB_STAR = {x: 398, y: 94};   // the Star portal, a hot-spot of the hub (desktop pixels)
const RESTING_PLACE = {x: 620, y: 470};  // on no hot-spot, below the hub's stage
const scratch = mkdtempSync(path.join(tmpdir(), 'plinkpad-web-'));
// Kept for a look when a comparison fails.
const outDir = path.join(WEB_DIR || scratch, 'test-output');

let server, url, context, page;

// The native program's picture of the hub once its intro is over (a
// script's first step comes when start-up and the intro are done).
function headlessHub() {
    const shot = path.join(scratch, 'hub.png');
    const script = path.join(scratch, 'hub.script');
    writeFileSync(script, `wait 1000\nscreenshot ${shot}\nquit\n`);
    execFileSync(PROGRAM, ['--headless', '--seed', '1', '--script', script], {cwd: scratch, stdio: 'inherit'});
    return readFileSync(shot);
}

const trace = () => readTrace(page, TRACE);
const hubAtRest = () => waitForHubAtRest(page, TRACE);
const onPage = (p) => pointOnPage(page, p);

async function moveTo(p) {
    const at = await onPage(p);
    await page.mouse.move(at.x, at.y);
}

// The canvas's pixels (RGBA, base64).
function canvasPixels() {
    return page.evaluate(() => {
        const c = document.getElementById('canvas');
        const data = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        let text = '';
        for (let i = 0; i < data.length; i += 0x8000) text += String.fromCharCode(...data.subarray(i, i + 0x8000));
        return btoa(text);
    });
}

// How many pixels of the canvas differ from the PNG picture.
function pixelsDifferingFrom(png) {
    return page.evaluate(async (base64) => {
        const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
        const picture = await createImageBitmap(new Blob([bytes], {type: 'image/png'}),
                                                {colorSpaceConversion: 'none', premultiplyAlpha: 'none'});
        const c = document.getElementById('canvas');
        if (picture.width !== c.width || picture.height !== c.height) return -1;
        const scratchCanvas = new OffscreenCanvas(c.width, c.height).getContext('2d');
        scratchCanvas.drawImage(picture, 0, 0);
        const expected = scratchCanvas.getImageData(0, 0, c.width, c.height).data;
        const actual = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        let differing = 0;
        for (let i = 0; i < actual.length; i += 4)
            if (actual[i] !== expected[i] || actual[i + 1] !== expected[i + 1] || actual[i + 2] !== expected[i + 2])
                ++differing;
        return differing;
    }, png.toString('base64'));
}

async function keepCanvas(name) {
    const png = await page.evaluate(() => document.getElementById('canvas').toDataURL('image/png'));
    mkdirSync(outDir, {recursive: true});
    writeFileSync(path.join(outDir, name), Buffer.from(png.split(',')[1], 'base64'));
}

before(async () => {
    assert.ok(WEB_DIR && PROGRAM, 'PLINKPAD_WEB_DIR and PLINKPAD_PROGRAM name the page and the native program');
    ({server, url} = await serve(WEB_DIR));
    context = await chromium.launchPersistentContext(path.join(scratch, 'profile'), {
        executablePath: '/usr/bin/chromium',
        headless: true,
        viewport: {width: 800, height: 600},
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
               '--disable-component-update', '--disable-sync',
               // A person's first click turns the sound on; the test makes no click first.
               '--autoplay-policy=no-user-gesture-required'],
    });
    page = context.pages()[0] || await context.newPage();
    page.on('pageerror', (e) => console.log(`page error: ${e.message}`));
});

after(async () => {
    await context?.close();
    server?.close();
    rmSync(scratch, {recursive: true, force: true});
});

test('the page reaches the hub and shows what the native program shows', async (t) => {
    const expected = headlessHub();
    const start = Date.now();
    await page.goto(url + ADDRESS);
    await until('the hub', async () => (await trace()).includes('scene 0'), 60000);
    t.diagnostic(`from opening the page to the hub: ${Date.now() - start} ms`);
    const sizes = await page.evaluate(() => [...performance.getEntriesByType('navigation'),
                                             ...performance.getEntriesByType('resource')].map((e) => [
        new URL(e.name).pathname.split('/').pop() || 'index.html', e.encodedBodySize, e.decodedBodySize]));
    for (const [name, sent, size] of sizes) t.diagnostic(`${name}: ${sent} bytes sent for ${size}`);
    const [, programSent, programSize] = sizes.find(([name]) => name === 'plinkpad.wasm');
    assert.ok(programSent < programSize, 'the program is compressed in transfer');
    await hubAtRest();
    const differing = await pixelsDifferingFrom(expected);
    if (differing !== 0) {
        await keepCanvas('hub-actual.png');
        writeFileSync(path.join(outDir, 'hub-expected.png'), expected);
    }
    assert.equal(differing, 0, `${differing} pixels differ from the headless program's picture (see ${outDir})`);
});

test('a move over a hot-spot starts a sound', async () => {
    const sound = () => page.evaluate(() => plinkpad.sound);
    assert.equal((await sound()).state, 'running');
    let before = await sound();
    await until('the intro\'s sound to end', async () => {
        const now = await sound();
        const silent = now.soundingFrames === before.soundingFrames && now.frames > before.frames + 4096;
        if (now.soundingFrames !== before.soundingFrames) before = now;
        return silent;
    });
    const plays = (await trace()).filter((l) => l.startsWith('play ')).length;
    await moveTo(HUB_STAR);
    await until('the program to play a sound',
                async () => (await trace()).filter((l) => l.startsWith('play ')).length > plays);
    await until('the mixer to render it', async () => (await sound()).soundingFrames > before.soundingFrames);
});

test('sessions: Ctrl+S saves one in the browser, Ctrl+O opens it after a reload, download and upload', async () => {
    const home = '/home/web_user';
    const stored = (name) => page.evaluate((file) => {
        try {
            return Array.from(Module.FS.readFile(file));
        } catch {
            return null;
        }
    }, `${home}/${name}`);
    const typeIntoChooser = async (keys, name) => {
        const before = await canvasPixels();
        await page.keyboard.press(keys);
        await until('the file chooser', async () => (await canvasPixels()) !== before);
        await page.keyboard.type(name);
        await page.keyboard.press('Enter');
    };

    await moveTo(RESTING_PLACE);
    await typeIntoChooser('Control+s', 'web-test');
    const bytes = await until('the session file', () => stored('web-test.sts'));
    await until('the browser to store it',
                () => page.evaluate(() => plinkpad.storageSyncs > 0 && !plinkpad.storagePending));
    // The session's name in the bar may have moved the canvas from under the pointer.
    await moveTo(RESTING_PLACE);
    await hubAtRest();
    const saved = await canvasPixels();

    const [download] = await Promise.all([page.waitForEvent('download'), page.click('#download')]);
    assert.equal(download.suggestedFilename(), 'web-test.sts');
    assert.deepEqual([...readFileSync(await download.path())], bytes);

    await page.reload();
    await hubAtRest();
    assert.notEqual(await canvasPixels(), saved, 'a new page shows a new session');
    await moveTo(RESTING_PLACE);
    await typeIntoChooser('Control+o', 'web-test');
    await until('the session to open', async () => (await canvasPixels()) === saved, 10000).catch(async (e) => {
        await keepCanvas('opened-actual.png');
        throw e;
    });
    assert.deepEqual((await trace()).filter((l) => l.startsWith('message')), []);

    await page.setInputFiles('#upload-file', {name: 'copy', mimeType: 'application/octet-stream',
                                              buffer: Buffer.from(bytes)});
    assert.deepEqual(await until('the upload', () => stored('copy.sts')), bytes);
    assert.ok(await page.locator('#sessions option', {hasText: 'copy.sts'}).count());
});
