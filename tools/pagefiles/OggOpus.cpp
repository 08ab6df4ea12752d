#include "tools/pagefiles/OggOpus.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cstring>

namespace pagefiles {

namespace {

constexpr int kOpusRate = 48000;

std::string AvError(const char* what, int averror) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(averror, text, sizeof text);
    return std::string(what) + ": " + text;
}

// Everything the encoding holds, freed whatever way it ends.
struct Encoding {
    AVCodecContext* codec = nullptr;
    AVFormatContext* format = nullptr;
    SwrContext* resampler = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    ~Encoding() {
        av_packet_free(&packet);
        av_frame_free(&frame);
        swr_free(&resampler);
        if (format != nullptr && format->pb != nullptr) {
            uint8_t* buffer = nullptr;
            avio_close_dyn_buf(format->pb, &buffer);
            av_free(buffer);
        }
        avformat_free_context(format);
        avcodec_free_context(&codec);
    }
};

// The whole sound at 48000 Hz, interleaved.
bool Resample(Encoding& e, const PcmSound& sound, AVChannelLayout& layout, std::vector<int16_t>& out,
              std::string& error) {
    int ret = swr_alloc_set_opts2(&e.resampler, &layout, AV_SAMPLE_FMT_S16, kOpusRate, &layout, AV_SAMPLE_FMT_S16,
                                  sound.rate, 0, nullptr);
    if (ret >= 0) ret = swr_init(e.resampler);
    if (ret < 0) {
        error = AvError("resampler", ret);
        return false;
    }
    const int frames = static_cast<int>(sound.samples.size() / static_cast<size_t>(sound.channels));
    const int room = swr_get_out_samples(e.resampler, frames) + kOpusRate;
    out.resize(static_cast<size_t>(room) * static_cast<size_t>(sound.channels));
    const uint8_t* in[] = {reinterpret_cast<const uint8_t*>(sound.samples.data())};
    size_t made = 0;
    for (const bool flush : {false, true}) {
        uint8_t* to[] = {reinterpret_cast<uint8_t*>(out.data() + made * static_cast<size_t>(sound.channels))};
        ret = swr_convert(e.resampler, to, room - static_cast<int>(made), flush ? nullptr : in, flush ? 0 : frames);
        if (ret < 0) {
            error = AvError("resampling", ret);
            return false;
        }
        made += static_cast<size_t>(ret);
    }
    out.resize(made * static_cast<size_t>(sound.channels));
    return true;
}

bool Drain(Encoding& e, std::string& error) {
    int ret;
    while ((ret = avcodec_receive_packet(e.codec, e.packet)) >= 0) {
        av_packet_rescale_ts(e.packet, e.codec->time_base, e.format->streams[0]->time_base);
        e.packet->stream_index = 0;
        ret = av_interleaved_write_frame(e.format, e.packet);
        if (ret < 0) {
            error = AvError("writing", ret);
            return false;
        }
    }
    if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF) return true;
    error = AvError("encoding", ret);
    return false;
}

}  // namespace

bool EncodeOggOpus(const PcmSound& sound, int bitRate, std::vector<uint8_t>& out, std::string& error) {
    if (sound.channels < 1 || sound.channels > 2 || sound.rate <= 0) {
        error = "only mono and stereo sounds are encoded";
        return false;
    }
    Encoding e;
    const AVCodec* opus = avcodec_find_encoder_by_name("libopus");
    if (opus == nullptr) {
        error = "FFmpeg's libraries have no libopus encoder";
        return false;
    }
    AVChannelLayout layout;
    av_channel_layout_default(&layout, sound.channels);
    std::vector<int16_t> pcm;
    if (!Resample(e, sound, layout, pcm, error)) return false;

    e.codec = avcodec_alloc_context3(opus);
    e.codec->sample_rate = kOpusRate;
    e.codec->sample_fmt = AV_SAMPLE_FMT_S16;
    e.codec->bit_rate = bitRate;
    e.codec->time_base = {1, kOpusRate};
    av_channel_layout_copy(&e.codec->ch_layout, &layout);
    // Sounds and music, not speech; the encoder's best effort.
    av_opt_set(e.codec->priv_data, "application", "audio", 0);
    av_opt_set_int(e.codec->priv_data, "compression_level", 10, 0);
    int ret = avformat_alloc_output_context2(&e.format, nullptr, "ogg", nullptr);
    if (ret < 0) {
        error = AvError("ogg", ret);
        return false;
    }
    if (e.format->oformat->flags & AVFMT_GLOBALHEADER) e.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if ((ret = avcodec_open2(e.codec, opus, nullptr)) < 0) {
        error = AvError("libopus", ret);
        return false;
    }
    AVStream* stream = avformat_new_stream(e.format, nullptr);
    avcodec_parameters_from_context(stream->codecpar, e.codec);
    stream->time_base = {1, kOpusRate};
    // No tags: a few bytes less in every file.
    e.format->flags |= AVFMT_FLAG_BITEXACT;
    if ((ret = avio_open_dyn_buf(&e.format->pb)) < 0 || (ret = avformat_write_header(e.format, nullptr)) < 0) {
        error = AvError("ogg header", ret);
        return false;
    }

    e.frame = av_frame_alloc();
    e.packet = av_packet_alloc();
    const int frameSize = e.codec->frame_size > 0 ? e.codec->frame_size : 960;
    const size_t frames = pcm.size() / static_cast<size_t>(sound.channels);
    for (size_t at = 0; at < frames; at += static_cast<size_t>(frameSize)) {
        // The last frame is filled up with silence; the file's end says
        // where the sound stops.
        const size_t n = std::min<size_t>(static_cast<size_t>(frameSize), frames - at);
        av_frame_unref(e.frame);
        e.frame->nb_samples = frameSize;
        e.frame->format = AV_SAMPLE_FMT_S16;
        e.frame->sample_rate = kOpusRate;
        av_channel_layout_copy(&e.frame->ch_layout, &layout);
        e.frame->pts = static_cast<int64_t>(at);
        if ((ret = av_frame_get_buffer(e.frame, 0)) < 0) {
            error = AvError("frame", ret);
            return false;
        }
        const size_t bytes = n * static_cast<size_t>(sound.channels) * sizeof(int16_t);
        std::memcpy(e.frame->data[0], pcm.data() + at * static_cast<size_t>(sound.channels), bytes);
        std::memset(e.frame->data[0] + bytes, 0,
                    static_cast<size_t>(frameSize) * static_cast<size_t>(sound.channels) * sizeof(int16_t) - bytes);
        if ((ret = avcodec_send_frame(e.codec, e.frame)) < 0) {
            error = AvError("encoding", ret);
            return false;
        }
        if (!Drain(e, error)) return false;
    }
    if ((ret = avcodec_send_frame(e.codec, nullptr)) < 0 || !Drain(e, error)) {
        if (error.empty()) error = AvError("encoding", ret);
        return false;
    }
    if ((ret = av_write_trailer(e.format)) < 0) {
        error = AvError("ogg trailer", ret);
        return false;
    }
    uint8_t* buffer = nullptr;
    const int size = avio_close_dyn_buf(e.format->pb, &buffer);
    e.format->pb = nullptr;
    out.assign(buffer, buffer + size);
    av_free(buffer);
    return true;
}

}  // namespace pagefiles
