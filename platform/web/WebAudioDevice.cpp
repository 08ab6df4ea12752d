#include "platform/web/WebAudioDevice.h"

#include <emscripten.h>

#include <algorithm>

namespace plat {

namespace {

// Returns the output's rate; 0 without Web Audio. The worklet module
// (audio-output.js) lies beside the page.
EM_JS(int, pp_audio_open, (void* device, int rate, int chunk), {
    if (typeof AudioContext === 'undefined' || typeof AudioWorkletNode === 'undefined') return 0;
    let context;
    try {
        context = new AudioContext({sampleRate: rate, latencyHint: 'interactive'});
    } catch (e) {
        context = new AudioContext({latencyHint: 'interactive'});
    }
    const sound = Module.ppSound || (Module.ppSound = {frames: 0, soundingFrames: 0});
    const resume = () => { if (context.state === 'suspended') context.resume(); };
    const output = {context, resume, node: null};
    Module.ppAudioOutput = output;
    sound.context = context;
    for (const type of ['pointerdown', 'keydown']) document.addEventListener(type, resume, true);
    context.audioWorklet.addModule('audio-output.js').then(() => {
        if (Module.ppAudioOutput !== output) return;
        const node = new AudioWorkletNode(context, 'plinkpad-output',
                                          {numberOfInputs: 0, outputChannelCount: [2], processorOptions: {chunk}});
        node.port.onmessage = (e) => {
            if (Module.ppAudioOutput !== output) return;
            const frames = Math.min(e.data, chunk);
            const ptr = _pp_web_audio_render(device, frames);
            const samples = HEAP16.subarray(ptr >> 1, (ptr >> 1) + 2 * frames);
            const left = new Float32Array(frames);
            const right = new Float32Array(frames);
            let sounding = 0;
            for (let i = 0; i < frames; ++i) {
                const l = samples[2 * i];
                const r = samples[2 * i + 1];
                left[i] = l / 32768;
                right[i] = r / 32768;
                if (l !== 0 || r !== 0) ++sounding;
            }
            sound.frames += frames;
            sound.soundingFrames += sounding;
            node.port.postMessage([left, right], [left.buffer, right.buffer]);
        };
        node.connect(context.destination);
        output.node = node;
    }, (e) => err('Plinkpad: no sound output: ' + e));
    return context.sampleRate;
});

EM_JS(void, pp_audio_close, (), {
    const output = Module.ppAudioOutput;
    if (!output) return;
    Module.ppAudioOutput = null;
    for (const type of ['pointerdown', 'keydown']) document.removeEventListener(type, output.resume, true);
    if (output.node) output.node.disconnect();
    output.context.close();
});

}  // namespace

WebAudioDevice::WebAudioDevice(AudioSource& source, const AudioConfig& config)
    : source_(source), frames_(std::clamp(config.bufferFrames, 64, 8192)) {
    buffer_.resize(static_cast<size_t>(frames_) * 2);
    rate_ = pp_audio_open(this, config.sampleRate, frames_);
}

WebAudioDevice::~WebAudioDevice() { pp_audio_close(); }

const int16_t* WebAudioDevice::Render(int frames) {
    source_.Render(buffer_.data(), std::clamp(frames, 0, frames_), rate_);
    return buffer_.data();
}

}  // namespace plat

extern "C" EMSCRIPTEN_KEEPALIVE const int16_t* pp_web_audio_render(plat::WebAudioDevice* device, int frames) {
    return device->Render(frames);
}
