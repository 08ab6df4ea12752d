// The program's files in the page (docs/web.md). files.json lists the
// folders, the packs and where each file is in its pack. The first pack
// (the settings file and the fonts, then the start-up picture, the general
// sounds and the hub) starts the program once its first files are in and
// is unpacked as it arrives; the worlds' packs come
// when the program first asks for one of their files (it waits meanwhile,
// platform/web/ArrivingFiles.cpp) and, once the hub is up, one after
// another in the background. A pack's sounds travel as Ogg Vorbis and are
// decoded here back to the WAV files the program reads (same layout, same
// length); every other file travels gzip-compressed. A file that cannot be
// fetched is, for the program, a file that cannot be read.
// Once the hub is up the page is kept for offline use (sw.js).
'use strict';

const pageFiles = (() => {
    const DECODES_AT_ONCE = 4;
    const packs = [];                // files.json's packs, each with its entries
    const entries = new Map();       // folder -> (leaf name in lower case -> entry)
    const decoders = new Map();      // sample rate -> OfflineAudioContext
    let backgroundStarted = false;
    const stats = {waits: 0, waitMs: 0, failures: []};

    // Started at once, beside the program's own download. Packs are named
    // from the folder of files.json.
    const MANIFEST = new URL('files/files.json', location.href);
    const manifest = fetch(MANIFEST).then((r) => {
        if (!r.ok) throw new Error(`files.json: ${r.status} ${r.statusText}`);
        return r.json();
    }).then((m) => {
        for (const pack of m.packs) {
            packs.push({...pack, url: new URL(pack.url, MANIFEST).href, entries: [], data: null, fetching: null});
        }
        for (const e of m.files) {
            const entry = {...e, here: false, unpacking: null};
            packs[e.pack].entries.push(entry);
            const at = e.path.lastIndexOf('/');
            const folder = e.path.slice(0, at);
            if (!entries.has(folder)) entries.set(folder, new Map());
            entries.get(folder).set(e.path.slice(at + 1).toLowerCase(), entry);
        }
        return m;
    });
    manifest.then(() => fetchPack(packs[0], true)).catch(() => {});

    function say(text) {
        if (Module.setStatus) Module.setStatus(text);
    }

    function fail(what, error) {
        stats.failures.push(`${what}: ${error.message || error}`);
        console.error(`${what}: ${error.message || error}`);
    }

    // The pack's bytes. With `streamed`, what has arrived is there for
    // bytesUpTo as it comes, and the bar tells it.
    function fetchPack(pack, streamed = false) {
        if (pack.data) return Promise.resolve(pack.data);
        if (streamed && !pack.fetching) pack.arriving = {bytes: new Uint8Array(pack.bytes), got: 0, waiting: []};
        pack.fetching ??= (async () => {
            const response = await fetch(pack.url);
            if (!response.ok) throw new Error(`${response.status} ${response.statusText}`);
            let data;
            const arriving = pack.arriving;
            if (arriving && response.body) {
                const mb = (n) => (n / 1e6).toFixed(1);
                for (const reader = response.body.getReader();;) {
                    const {done, value} = await reader.read();
                    if (done) break;
                    if (arriving.got + value.length > pack.bytes) throw new Error('longer than files.json says');
                    arriving.bytes.set(value, arriving.got);
                    arriving.got += value.length;
                    const ready = arriving.waiting.filter((w) => w.end <= arriving.got);
                    arriving.waiting = arriving.waiting.filter((w) => w.end > arriving.got);
                    for (const w of ready) w.resolve(arriving.bytes);
                    say(`Loading Plinkpad… ${mb(arriving.got)} of ${mb(pack.bytes)} MB`);
                }
                data = arriving.bytes.subarray(0, arriving.got);
            } else {
                data = new Uint8Array(await response.arrayBuffer());
            }
            if (data.length !== pack.bytes) throw new Error(`${data.length} bytes, not ${pack.bytes}`);
            pack.data = data;
            return data;
        })().catch((error) => {
            pack.fetching = null;  // the next need tries again
            fail(pack.url, error);
            throw error;
        }).finally(() => {
            pack.arriving?.waiting.forEach((w) => w.settle());
            pack.arriving = null;
        });
        return pack.fetching;
    }

    // The pack's bytes once its first `end` have arrived.
    function bytesUpTo(pack, end) {
        const whole = fetchPack(pack);
        const arriving = pack.arriving;
        if (!arriving) return whole;
        if (arriving.got >= end) return Promise.resolve(arriving.bytes);
        return new Promise((resolve) => {
            // Settled by the whole pack if it ends (or fails) first.
            arriving.waiting.push({end, resolve, settle: () => resolve(whole)});
        });
    }

    function base64Bytes(text) {
        return Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
    }

    async function gunzip(bytes) {
        const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'));
        return new Uint8Array(await new Response(stream).arrayBuffer());
    }

    // The WAV file again: its own head and tail around the decoded samples,
    // decoded at the file's own rate, rounded to 16 bits and cut or padded
    // to the original count of samples.
    async function decodeSound(entry, bytes) {
        if (!decoders.has(entry.rate)) decoders.set(entry.rate, new OfflineAudioContext(1, 1, entry.rate));
        const sound = await decoders.get(entry.rate).decodeAudioData(bytes.slice().buffer);
        const head = base64Bytes(entry.head), tail = base64Bytes(entry.tail);
        const file = new Uint8Array(head.length + entry.data + tail.length);
        file.set(head);
        file.set(tail, head.length + entry.data);
        const samples = new Int16Array(Math.floor(entry.data / 2));
        const channels = entry.channels;
        const frames = Math.min(Math.floor(samples.length / channels), sound.length);
        for (let c = 0; c < channels; ++c) {
            const from = sound.getChannelData(Math.min(c, sound.numberOfChannels - 1));
            for (let i = 0; i < frames; ++i) {
                const s = Math.round(from[i] * 32768);
                samples[i * channels + c] = s > 32767 ? 32767 : s < -32768 ? -32768 : s;
            }
        }
        file.set(new Uint8Array(samples.buffer), head.length);
        return file;
    }

    // Puts the entry's file into the page's files; resolves to whether it is there.
    function unpack(entry) {
        if (entry.here) return Promise.resolve(true);
        entry.unpacking ??= (async () => {
            const pack = packs[entry.pack];
            const data = await bytesUpTo(pack, entry.at + entry.bytes);
            const bytes = data.subarray(entry.at, entry.at + entry.bytes);
            const file = entry.kind === 'vorbis' ? await decodeSound(entry, bytes) : await gunzip(bytes);
            if (file.length !== entry.size) throw new Error(`${file.length} bytes, not ${entry.size}`);
            Module.FS.writeFile(entry.path, file);
            entry.here = true;
            // Every file out: the pack's bytes are no longer needed (what
            // still waits on the pack, keeping it for offline use, takes none).
            if (pack.entries.every((e) => e.here)) {
                pack.data = null;
                pack.fetching = Promise.resolve(null);
            }
            return true;
        })().catch((error) => {
            entry.unpacking = null;
            fail(entry.path, error);
            return false;
        });
        return entry.unpacking;
    }

    // Every file of the pack, a few decodes at a time.
    async function unpackAll(pack) {
        const waiting = pack.entries.filter((e) => !e.here);
        const work = async () => {
            while (waiting.length) await unpack(waiting.shift());
        };
        await Promise.all(Array.from({length: DECODES_AT_ONCE}, work));
    }

    // The worlds in files.json's order (the hub's portals), one at a time.
    async function fetchInBackground() {
        for (const pack of packs.slice(1)) {
            try {
                await fetchPack(pack);
                await unpackAll(pack);
            } catch {
                // Tried again when the program asks for one of its files.
            }
        }
    }

    // Called by the program (ArrivingFiles) for a file it cannot find:
    // `path` is where it would be. Resolves to whether a file arrived there.
    async function arrive(path) {
        const at = path.lastIndexOf('/');
        const entry = entries.get(path.slice(0, at))?.get(path.slice(at + 1).toLowerCase());
        if (!entry) return false;
        if (entry.here) return true;
        const start = performance.now();
        stats.waits++;
        // The rest of the world comes next: the program reads it all now.
        fetchPack(packs[entry.pack]).then(() => unpackAll(packs[entry.pack])).catch(() => {});
        const ok = await unpack(entry);
        stats.waitMs += performance.now() - start;
        return ok;
    }

    // Before the program starts: the folders and the first pack's early
    // files (they come first in it); the rest of it is unpacked as it comes.
    function beforeStart() {
        Module.addRunDependency('files');
        manifest.then(async (m) => {
            for (const folder of m.dirs) {
                if (!Module.FS.analyzePath(folder).exists) Module.FS.mkdir(folder);
            }
            const unpacked = await Promise.all(packs[0].entries.filter((e) => e.early).map(unpack));
            if (!unpacked.every((ok) => ok)) throw new Error(stats.failures.at(-1));
            unpackAll(packs[0]);
            Module.removeRunDependency('files');
        }).catch((error) => {
            say(`Plinkpad's files cannot be fetched: ${error.message || error}`);
        });
    }

    // The page says so when a scene is up and at rest (WebBackend::SceneShown):
    // the first time, the hub, the worlds start coming and the page is kept
    // for offline use.
    function sceneShown() {
        if (backgroundStarted) return;
        backgroundStarted = true;
        fetchInBackground();
        keepForOffline();
    }

    // The service worker keeps this build's page, program and every pack
    // fetched (sw.js). Packs fetched before it took the page over go
    // through it once more, from the browser's cache, to be kept.
    function keepForOffline() {
        if (!('serviceWorker' in navigator)) return;
        const keepFetched = () => {
            for (const pack of packs) pack.fetching?.then(() => fetch(pack.url)).catch(() => {});
        };
        if (!navigator.serviceWorker.controller) {
            navigator.serviceWorker.addEventListener('controllerchange', keepFetched, {once: true});
        }
        navigator.serviceWorker.register('sw.js').catch((error) => fail('sw.js', error));
    }

    return {
        beforeStart, arrive, sceneShown,
        // What the page's test reads: the packs (fetched or not, in memory or
        // not) and the program's waits for files.
        get state() {
            return {
                packs: packs.map((p) => ({name: p.name, bytes: p.bytes, here: p.entries.every((e) => e.here)})),
                ...stats,
            };
        },
    };
})();

Module.preRun = [...(Module.preRun || []), pageFiles.beforeStart];
Module.ppFiles = pageFiles;
