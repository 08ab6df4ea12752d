#include "tests/video/VideoReader.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <cmath>
#include <memory>

namespace videotest {

namespace {

struct Decoder {
    AVCodecContext* context = nullptr;
    int index = -1;
    ~Decoder() { avcodec_free_context(&context); }
};

bool Open(AVFormatContext* format, AVMediaType type, Decoder& d, StreamFacts& facts) {
    d.index = av_find_best_stream(format, type, -1, -1, nullptr, 0);
    if (d.index < 0) return true;  // no such stream
    const AVStream* stream = format->streams[d.index];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (codec == nullptr) return false;
    d.context = avcodec_alloc_context3(codec);
    if (avcodec_parameters_to_context(d.context, stream->codecpar) < 0) return false;
    d.context->pkt_timebase = stream->time_base;
    if (avcodec_open2(d.context, codec, nullptr) < 0) return false;
    facts.present = true;
    facts.codec = avcodec_get_name(stream->codecpar->codec_id);
    facts.width = stream->codecpar->width;
    facts.height = stream->codecpar->height;
    facts.frameRate = av_q2d(stream->avg_frame_rate);
    facts.sampleRate = stream->codecpar->sample_rate;
    facts.channels = stream->codecpar->ch_layout.nb_channels;
    return true;
}

// Adds the squares of the frame's samples (full scale 1) to `sum`; the
// decoders of the tests' files give floats or 16-bit samples.
void AddSquares(const AVFrame& f, double& sum) {
    const int channels = f.ch_layout.nb_channels;
    const AVSampleFormat format = AVSampleFormat(f.format);
    const bool planar = av_sample_fmt_is_planar(format) != 0;
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < f.nb_samples; ++i) {
            const int plane = planar ? c : 0, at = planar ? i : i * channels + c;
            double v = 0;
            switch (av_get_packed_sample_fmt(format)) {
                case AV_SAMPLE_FMT_FLT: v = reinterpret_cast<const float*>(f.extended_data[plane])[at]; break;
                case AV_SAMPLE_FMT_S16:
                    v = reinterpret_cast<const int16_t*>(f.extended_data[plane])[at] / 32768.0;
                    break;
                default: break;
            }
            sum += v * v;
        }
}

}  // namespace

VideoFacts ReadVideo(const std::filesystem::path& path, const std::vector<double>& pictureTimes) {
    VideoFacts facts;
    facts.pictures.resize(pictureTimes.size());
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) {
        facts.error = "cannot open " + path.string();
        return facts;
    }
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> closer(
        format, [](AVFormatContext* f) { avformat_close_input(&f); });
    facts.container = format->iformat->name;
    Decoder video, audio;
    if (avformat_find_stream_info(format, nullptr) < 0 || !Open(format, AVMEDIA_TYPE_VIDEO, video, facts.video) ||
        !Open(format, AVMEDIA_TYPE_AUDIO, audio, facts.audio)) {
        facts.error = "cannot read the streams of " + path.string();
        return facts;
    }

    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    SwsContext* toRgb = nullptr;
    double squares = 0;
    auto take = [&](Decoder& d, StreamFacts& s) {
        while (avcodec_receive_frame(d.context, frame) >= 0) {
            if (&d == &audio) {
                s.decoded += frame->nb_samples;
                AddSquares(*frame, squares);
                continue;
            }
            // Picture n is shown from n / rate seconds on.
            const int64_t n = s.decoded++;
            for (size_t i = 0; i < pictureTimes.size(); ++i) {
                if (int64_t(std::floor(pictureTimes[i] * s.frameRate)) != n) continue;
                toRgb = sws_getCachedContext(toRgb, frame->width, frame->height, AVPixelFormat(frame->format),
                                             frame->width, frame->height, AV_PIX_FMT_0RGB32, SWS_POINT, nullptr,
                                             nullptr, nullptr);
                // As a player does: the colours the stream says it has.
                const int* coefficients = sws_getCoefficients(frame->colorspace);
                sws_setColorspaceDetails(toRgb, coefficients, frame->color_range == AVCOL_RANGE_JPEG, coefficients, 1,
                                         0, 1 << 16, 1 << 16);
                std::vector<uint32_t>& out = facts.pictures[i];
                out.resize(size_t(frame->width) * size_t(frame->height));
                uint8_t* planes[] = {reinterpret_cast<uint8_t*>(out.data())};
                const int strides[] = {frame->width * 4};
                sws_scale(toRgb, frame->data, frame->linesize, 0, frame->height, planes, strides);
            }
        }
    };
    while (av_read_frame(format, packet) >= 0) {
        Decoder* d = packet->stream_index == video.index   ? &video
                     : packet->stream_index == audio.index ? &audio
                                                           : nullptr;
        if (d != nullptr && avcodec_send_packet(d->context, packet) >= 0)
            take(*d, d == &video ? facts.video : facts.audio);
        av_packet_unref(packet);
    }
    for (Decoder* d : {&video, &audio}) {
        if (d->context == nullptr) continue;
        avcodec_send_packet(d->context, nullptr);
        take(*d, d == &video ? facts.video : facts.audio);
    }
    if (facts.video.frameRate > 0) facts.video.seconds = double(facts.video.decoded) / facts.video.frameRate;
    if (facts.audio.sampleRate > 0) facts.audio.seconds = double(facts.audio.decoded) / facts.audio.sampleRate;
    if (squares > 0 && facts.audio.decoded > 0)
        facts.audio.levelDb = 10 * std::log10(squares / double(facts.audio.decoded * facts.audio.channels));
    sws_freeContext(toRgb);
    av_frame_free(&frame);
    av_packet_free(&packet);
    return facts;
}

}  // namespace videotest
