// The bar's share button: the link to the session in use, saved or not,
// which the program makes from the page's own address (Module.ppShareLink,
// see WebShareLink.cpp). The button copies it to the clipboard where the
// browser lets the page, and always shows it in a panel, selected in a
// read-only box, to be copied by hand where the browser does not. A link
// put into the address of the open page starts the page again with it,
// which asks first when the session has unsaved changes.
'use strict';

(() => {
    // Firefox opens no longer address; Chromium opens up to 2 MiB.
    const LONGEST_EVERY_BROWSER_OPENS = 1 << 20;

    const panel = document.createElement('div');
    panel.id = 'share-panel';
    panel.hidden = true;
    panel.setAttribute('role', 'dialog');
    panel.setAttribute('aria-label', 'Link to this session');
    panel.innerHTML = '<label for="share-text">Link to this session</label>' +
        '<input id="share-text" readonly spellcheck="false" autocomplete="off">' +
        '<span id="share-state" role="status"></span>' +
        '<button id="share-copy" type="button">Copy</button>' +
        '<button id="share-close" type="button">Close</button>';
    document.body.append(panel);
    const field = panel.querySelector('#share-text');
    const state = panel.querySelector('#share-state');

    const select = () => {
        field.focus({preventScroll: true});
        field.setSelectionRange(0, field.value.length);
    };

    // Whether the link reached the clipboard. Without the asynchronous
    // clipboard (a page not served over HTTPS or from this computer) or
    // with it refused, the older copy of the selection may still work.
    const copy = async () => {
        select();
        try {
            await navigator.clipboard.writeText(field.value);
            return true;
        } catch {
            select();
            try {
                return document.execCommand('copy');
            } catch {
                return false;
            }
        }
    };

    const share = async () => {
        const link = Module.ppShareLink ? Module.ppShareLink() : '';
        panel.hidden = false;
        field.value = link;
        if (!link) {
            state.textContent = window.plinkpad?.ended ? 'Plinkpad has ended: there is no session to share.'
                                                       : 'Plinkpad is not ready yet: try again in a moment.';
            return;
        }
        state.textContent = '';
        let words = (await copy()) ? 'Copied to the clipboard.'
                                   : 'Copy it from the box: the browser keeps the clipboard from the page.';
        if (link.length > LONGEST_EVERY_BROWSER_OPENS)
            words += ` At ${link.length.toLocaleString('en')} characters, some browsers will not open it.`;
        state.textContent = words;
    };

    const close = () => {
        if (panel.contains(document.activeElement)) document.activeElement.blur();
        panel.hidden = true;
    };

    onBarPress(document.getElementById('share-link'), share);
    onBarPress(panel.querySelector('#share-copy'), async () => {
        state.textContent = (await copy()) ? 'Copied to the clipboard.' : 'The browser does not let the page copy it.';
    });
    onBarPress(panel.querySelector('#share-close'), close);

    // Keys pressed in the panel are its own (Ctrl+C copies, Escape closes),
    // not the program's: this comes before the program's listener, which is
    // added later. Keys coming up still reach the program, so that none it
    // saw go down stays down.
    addEventListener('keydown', (e) => {
        if (!(e.target instanceof Node && panel.contains(e.target))) return;
        e.stopImmediatePropagation();
        if (e.key === 'Escape') close();
    }, true);

    addEventListener('hashchange', () => {
        if (location.hash.startsWith('#s=')) location.reload();
    });
})();
