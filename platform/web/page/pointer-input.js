// The pointer on the stage: mouse, pen and finger alike, through pointer
// events, handed to the program's backend (Module.ppPointer, see
// WebBackend.cpp), which maps them to desktop pixels.
//
// One pointer drives the program at a time: the first pressed on the stage,
// until it comes up; other fingers meanwhile do nothing. A finger pressed and
// slid is the pointer moving with its button held, as a mouse dragged; a
// touch down and up in place is a click. A finger that lifts, and a mouse or
// pen that goes off the canvas with no button held, leaves the stage (the
// hot-spot under it is released). Nothing on the stage scrolls, zooms or
// opens a menu (see layout.css for touch-action).
'use strict';

(() => {
    const stage = document.getElementById('stage');
    const canvas = document.getElementById('canvas');
    // As WebBackend::PointerAction.
    const MOVE = 0, DOWN = 1, UP = 2, LEAVE = 3;
    let driver = null;  // pointerId of the pointer pressed on the stage

    const send = (action, e) => {
        if (Module.ppPointer) Module.ppPointer(action, e.clientX, e.clientY);
    };
    const offCanvas = (e) => {
        const r = canvas.getBoundingClientRect();
        return e.clientX < r.left || e.clientY < r.top || e.clientX >= r.right || e.clientY >= r.bottom;
    };

    stage.addEventListener('pointerdown', (e) => {
        e.preventDefault();  // no text selection, no focus change, no mouse events after it
        if (driver !== null || e.button !== 0) return;
        driver = e.pointerId;
        stage.setPointerCapture(e.pointerId);
        // A finger arrives where it touches; a mouse is there already.
        send(MOVE, e);
        send(DOWN, e);
    });

    stage.addEventListener('pointermove', (e) => {
        // A finger that is not the driver is ignored; a mouse or pen hovers.
        if (driver === null ? e.pointerType === 'touch' : e.pointerId !== driver) return;
        // Every sample since the last event, so that a fast slide still
        // passes over the small hot-spots on its way.
        const samples = e.getCoalescedEvents ? e.getCoalescedEvents() : [];
        for (const sample of samples.length ? samples : [e]) send(MOVE, sample);
    });

    const release = (e, cancelled) => {
        if (e.pointerId !== driver) return;
        driver = null;
        // A gesture the browser took over is no click: the button comes up
        // off the stage.
        if (!cancelled) send(UP, e);
        if (cancelled || e.pointerType === 'touch' || offCanvas(e)) send(LEAVE, e);
    };
    stage.addEventListener('pointerup', (e) => release(e, false));
    stage.addEventListener('pointercancel', (e) => release(e, true));
    canvas.addEventListener('pointerleave', (e) => {
        if (driver === null && e.pointerType !== 'touch') send(LEAVE, e);
    });
    // A long press opens no menu.
    stage.addEventListener('contextmenu', (e) => e.preventDefault());
})();
