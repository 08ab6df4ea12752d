// The page around the program: it loads the program with its disc, keeps
// the user's folder in the browser's storage, downloads and uploads session
// files, and says what is going on. `window.plinkpad` is what the page
// tells about the program (its test reads it).
'use strict';

// The program's $HOME: the file chooser starts there, so sessions go there.
const HOME = '/home/web_user';
const MAX_UPLOAD_BYTES = 16 << 20;  // far beyond any session

const statusText = document.getElementById('status');
const soundHint = document.getElementById('sound-hint');
const sessionList = document.getElementById('sessions');

let lastError = '';  // the program's last line on standard error
const storage = {syncs: 0, dirty: false, syncing: false, timer: null};

window.plinkpad = {
    // Frames drawn on the canvas so far.
    get framesShown() { return Module.ppFramesShown || 0; },
    // The sound output: its state ('suspended' until the page is clicked or
    // a key pressed), the frames the mixer has rendered and how many of them
    // were not silent. Null before the program opens it.
    get sound() {
        const s = Module.ppSound;
        return s ? {state: s.context.state, frames: s.frames, soundingFrames: s.soundingFrames} : null;
    },
    // {status} once the program has ended, else null.
    get ended() { return Module.ppEnded || null; },
    // Completed copies of the user's folder into the browser's storage, and
    // whether changes wait to be copied.
    get storageSyncs() { return storage.syncs; },
    get storagePending() { return storage.dirty || storage.syncing || storage.timer !== null; },
    // A file of the page's file system as text (a trace, say).
    readText(path) { return Module.FS.readFile(path, {encoding: 'utf8'}); },
};

function setStatus(text) {
    statusText.textContent = text;
}

// "?seed=7&trace=/tmp/t" gives the program "--seed 7 --trace /tmp/t".
function argumentsFromAddress() {
    const args = [];
    for (const [name, value] of new URLSearchParams(location.search)) {
        args.push('--' + name);
        if (value !== '') args.push(value);
    }
    return args;
}

// --- The user's folder in the browser's storage ---

function mountHome() {
    const FS = Module.FS;
    FS.mount(FS.filesystems.IDBFS, {}, HOME);
    Module.addRunDependency('home');
    FS.syncfs(true, (error) => {
        if (error) reportStorageError(error);
        watchHome();
        listSessions();
        Module.removeRunDependency('home');
    });
}

function reportStorageError(error) {
    setStatus(`Sessions cannot be kept in this browser: ${error}`);
}

// Every change in the folder is copied into the browser's storage shortly
// after it was made (a save writes a new file and renames it over the old).
function watchHome() {
    const inHome = (path) => path === HOME || path.startsWith(HOME + '/');
    const changed = (path) => {
        if (!inHome(path)) return;
        storage.dirty = true;
        scheduleSync();
    };
    const delegate = Module.FS.trackingDelegate;
    delegate.onWriteToFile = changed;
    delegate.onMakeDirectory = changed;
    delegate.onDeletePath = changed;
    delegate.onMovePath = (from, to) => {
        changed(from);
        changed(to);
    };
    addEventListener('pagehide', syncHome);
    // A saved session still on its way into the storage would be lost with the page.
    addEventListener('beforeunload', (e) => {
        if (window.plinkpad.storagePending) e.preventDefault();
    });
}

function scheduleSync() {
    if (storage.timer === null) storage.timer = setTimeout(syncHome, 100);
}

function syncHome() {
    clearTimeout(storage.timer);
    storage.timer = null;
    if (!storage.dirty) return;
    if (storage.syncing) {
        scheduleSync();
        return;
    }
    storage.dirty = false;
    storage.syncing = true;
    Module.FS.syncfs(false, (error) => {
        storage.syncing = false;
        if (error) reportStorageError(error);
        else storage.syncs++;
        listSessions();
    });
}

function sessionNames() {
    return Module.FS.readdir(HOME).filter((name) => /\.sts$/i.test(name)).sort();
}

function listSessions() {
    const chosen = sessionList.value;
    sessionList.replaceChildren(...sessionNames().map((name) => new Option(name, name, false, name === chosen)));
}

function downloadSession() {
    const name = sessionList.value;
    if (!name) return;
    const blob = new Blob([Module.FS.readFile(HOME + '/' + name)], {type: 'application/octet-stream'});
    const link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

// Uploaded files land in the user's folder, where the program's Open
// Session finds them; the program checks what is in them when it opens them.
async function uploadSessions(files) {
    for (const file of files) {
        let name = file.name.replace(/[\\/]/g, '_');
        if (!/\.sts$/i.test(name)) name += '.sts';
        if (file.size > MAX_UPLOAD_BYTES) {
            alert(`${file.name} is too large to be a session.`);
            continue;
        }
        const path = HOME + '/' + name;
        if (sessionNames().includes(name) && !confirm(`${name} already exists. Replace it?`)) continue;
        Module.FS.writeFile(path, new Uint8Array(await file.arrayBuffer()));
    }
    listSessions();
}

document.getElementById('download').addEventListener('click', downloadSession);
const uploadInput = document.getElementById('upload-file');
document.getElementById('upload').addEventListener('click', () => uploadInput.click());
uploadInput.addEventListener('change', () => {
    uploadSessions([...uploadInput.files]);
    uploadInput.value = '';
});

// The browser keeps the sound off until the page is clicked or a key pressed.
setInterval(() => {
    const sound = window.plinkpad.sound;
    soundHint.hidden = !sound || sound.state !== 'suspended' || window.plinkpad.ended !== null;
}, 500);

var Module = {
    arguments: argumentsFromAddress(),
    preRun: [mountHome],
    // Emscripten's words and the files' (files.js: "Loading Plinkpad… 1.2 of 3.5 MB").
    setStatus(text) {
        if (Module.ppEnded) return;  // the end's words stay
        setStatus(text);
    },
    printErr(text) {
        console.error(text);
        lastError = text;
    },
    onCanvasOpened: fitCanvas,
    onProgramEnded(status) {
        setStatus(status === 0 ? 'Plinkpad has ended. Reload the page to start it again.'
                               : `Plinkpad could not go on: ${lastError || 'status ' + status}`);
        syncHome();
    },
    onAbort(what) {
        setStatus('Plinkpad stopped: ' + what);
    },
};
