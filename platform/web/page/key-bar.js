// The bar's buttons for people without a keyboard (tablets, phones): the
// keys the toy needs and full screen. Ctrl and Shift latch, down at the
// first press and up at the next, shown pressed meanwhile; Tab (the
// Record/Play palette) and the Help key go down and up. Each key gives the
// program the events a keyboard gives: the bar hands them to the window,
// where the program's keyboard handlers listen.
'use strict';

// Calls `action(pointerType)` when the bar's `button` is pressed (the bar's
// other buttons use it too, see share-link.js). A finger counts when it
// lifts on the button: right after a quick slide on the stage the browser
// may make no click of that tap.
function onBarPress(button, action) {
    button.addEventListener('touchend', (e) => {
        const t = e.changedTouches[0];
        e.preventDefault();  // no click after it
        if (t && button.contains(document.elementFromPoint(t.clientX, t.clientY))) action('touch');
    });
    button.addEventListener('click', (e) => {
        action(e.pointerType || 'mouse');
        // The keyboard's Space and Enter stay the program's, not the button's.
        button.blur();
    });
}

(() => {
    const KEYS = [
        {id: 'key-ctrl', key: 'Control', code: 'ControlLeft', latches: true},
        {id: 'key-shift', key: 'Shift', code: 'ShiftLeft', latches: true},
        {id: 'key-tab', key: 'Tab', code: 'Tab'},
        {id: 'key-help', key: 'F1', code: 'F1'},
    ];
    const send = (type, {key, code}) =>
        window.dispatchEvent(new KeyboardEvent(type, {key, code, bubbles: true, cancelable: true}));
    const latched = (button) => button.getAttribute('aria-pressed') === 'true';
    const show = (button, down) => button.setAttribute('aria-pressed', String(down));

    for (const k of KEYS) {
        const button = document.getElementById(k.id);
        if (!k.latches) {
            onBarPress(button, () => {
                send('keydown', k);
                send('keyup', k);
            });
            continue;
        }
        show(button, false);
        onBarPress(button, () => {
            const down = !latched(button);
            send(down ? 'keydown' : 'keyup', k);
            show(button, down);
        });
        // The keyboard's own key coming up releases a latched one too; so
        // does the page losing the keyboard (the program lets keys up then).
        addEventListener('keyup', (e) => {
            if (e.isTrusted && e.key === k.key) show(button, false);
        });
        addEventListener('blur', () => show(button, false));
    }

    // Full screen. Asked by touch or pen, the whole page goes full screen,
    // so that the bar's keys stay at hand; by mouse or keyboard the stage
    // alone, as Alt+Enter does.
    const button = document.getElementById('full-screen');
    const root = document.documentElement;
    if (!(root.requestFullscreen || root.webkitRequestFullscreen)) {
        button.hidden = true;  // a phone browser that has none
        return;
    }
    const current = () => document.fullscreenElement || document.webkitFullscreenElement || null;
    onBarPress(button, (pointerType) => {
        if (current()) {
            (document.exitFullscreen || document.webkitExitFullscreen).call(document);
            return;
        }
        const element = pointerType === 'touch' || pointerType === 'pen' ? root : document.getElementById('stage');
        Promise.resolve((element.requestFullscreen || element.webkitRequestFullscreen).call(element)).catch(() => {});
    });
    const showState = () => {
        button.textContent = current() ? 'Leave full screen' : 'Full screen';
    };
    document.addEventListener('fullscreenchange', showState);
    document.addEventListener('webkitfullscreenchange', showState);
})();
