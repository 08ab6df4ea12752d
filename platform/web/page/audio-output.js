// The page's sound output, on the browser's audio thread: plays the
// program's mix, which the page thread renders in chunks when asked
// (platform/web/WebAudioDevice.cpp), and asks for more while fewer than four
// chunks wait. While none has come it plays silence.
'use strict';

class PlinkpadOutput extends AudioWorkletProcessor {
    constructor(options) {
        super();
        this.chunk = options.processorOptions.chunk;
        this.chunks = [];     // [left, right] Float32Arrays, oldest first
        this.offset = 0;      // frames of the oldest chunk already played
        this.awaited = 0;     // frames asked for and not yet played
        this.port.onmessage = (e) => this.chunks.push(e.data);
    }

    process(inputs, outputs) {
        const [left, right] = outputs[0];
        let at = 0;
        while (at < left.length && this.chunks.length > 0) {
            const [l, r] = this.chunks[0];
            const n = Math.min(left.length - at, l.length - this.offset);
            left.set(l.subarray(this.offset, this.offset + n), at);
            right.set(r.subarray(this.offset, this.offset + n), at);
            at += n;
            this.offset += n;
            if (this.offset === l.length) {
                this.chunks.shift();
                this.offset = 0;
            }
        }
        this.awaited -= at;
        while (this.awaited < 4 * this.chunk) {
            this.port.postMessage(this.chunk);
            this.awaited += this.chunk;
        }
        return true;
    }
}

registerProcessor('plinkpad-output', PlinkpadOutput);
