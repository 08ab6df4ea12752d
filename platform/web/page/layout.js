// The page's layout: the canvas as large as the screen allows, the bar where
// it leaves the canvas the most room.
'use strict';

// How large a desktop of `desktop` pixels is drawn, in CSS pixels per
// desktop pixel, in a stage of `stage` CSS pixels on a screen of `ratio`
// screen pixels per CSS pixel: each desktop pixel a whole number of screen
// pixels, the largest that fits, as the desktop program's window scales, as
// long as that leaves the canvas at least its own size in CSS pixels; a
// stage too small for that (a phone) gets the largest size that fits.
function canvasScale(stage, desktop, ratio) {
    const fit = Math.min(stage.clientWidth / desktop.width, stage.clientHeight / desktop.height);
    const whole = Math.floor(fit * ratio + 1e-9) / ratio;
    return whole >= 1 ? whole : fit;
}

// The bar below the canvas, or beside it where that gives a larger canvas
// (a phone held sideways); then the canvas at its scale.
function fitCanvas() {
    const canvas = document.getElementById('canvas');
    const stage = document.getElementById('stage');
    const ratio = window.devicePixelRatio || 1;
    const scaleWith = (beside) => {
        document.body.classList.toggle('bar-beside', beside);
        return canvasScale(stage, canvas, ratio);
    };
    const below = scaleWith(false);
    const beside = scaleWith(true);
    const scale = beside > below ? beside : scaleWith(false);
    canvas.style.width = canvas.width * scale + 'px';
    canvas.style.height = canvas.height * scale + 'px';
}

(() => {
    // The window, and the bar when its words change its size.
    addEventListener('resize', fitCanvas);
    new ResizeObserver(fitCanvas).observe(document.getElementById('bar'));
    fitCanvas();
})();
