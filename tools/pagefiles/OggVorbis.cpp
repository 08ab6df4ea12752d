#include "tools/pagefiles/OggVorbis.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

#include <algorithm>

namespace pagefiles {

namespace {

std::string AvError(const char* what, int averror) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(averror, text, sizeof text);
    return std::string(what) + ": " + text;
}

// Everything the encoding holds, freed whatever way it ends.
struct Encoding {
    AVCodecContext* codec = nullptr;
    AVFormatContext* format = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    ~Encoding() {
        av_packet_free(&packet);
        av_frame_free(&frame);
        if (format != nullptr && format->pb != nullptr) {
            uint8_t* buffer = nullptr;
            avio_close_dyn_buf(format->pb, &buffer);
            av_free(buffer);
        }
        avformat_free_context(format);
        avcodec_free_context(&codec);
    }
};

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

bool EncodeOggVorbis(const PcmSound& sound, double quality, std::vector<uint8_t>& out, std::string& error) {
    if (sound.channels < 1 || sound.channels > 2 || sound.rate <= 0) {
        error = "only mono and stereo sounds are encoded";
        return false;
    }
    Encoding e;
    const AVCodec* vorbis = avcodec_find_encoder_by_name("libvorbis");
    if (vorbis == nullptr) {
        error = "FFmpeg's libraries have no libvorbis encoder";
        return false;
    }
    AVChannelLayout layout;
    av_channel_layout_default(&layout, sound.channels);
    e.codec = avcodec_alloc_context3(vorbis);
    e.codec->sample_rate = sound.rate;
    e.codec->sample_fmt = AV_SAMPLE_FMT_FLTP;
    e.codec->time_base = {1, sound.rate};
    // Variable bit rate at a quality, the way libvorbis is meant to be used.
    e.codec->flags |= AV_CODEC_FLAG_QSCALE;
    e.codec->global_quality = static_cast<int>(quality * FF_QP2LAMBDA);
    av_channel_layout_copy(&e.codec->ch_layout, &layout);
    int ret = avformat_alloc_output_context2(&e.format, nullptr, "ogg", nullptr);
    if (ret < 0) {
        error = AvError("ogg", ret);
        return false;
    }
    if (e.format->oformat->flags & AVFMT_GLOBALHEADER) e.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if ((ret = avcodec_open2(e.codec, vorbis, nullptr)) < 0) {
        error = AvError("libvorbis", ret);
        return false;
    }
    AVStream* stream = avformat_new_stream(e.format, nullptr);
    if (stream == nullptr || (ret = avcodec_parameters_from_context(stream->codecpar, e.codec)) < 0) {
        error = "ogg stream";
        return false;
    }
    stream->time_base = {1, sound.rate};
    // No tags and no stream serial from the clock: same input, same bytes.
    e.format->flags |= AVFMT_FLAG_BITEXACT;
    if ((ret = avio_open_dyn_buf(&e.format->pb)) < 0 || (ret = avformat_write_header(e.format, nullptr)) < 0) {
        error = AvError("ogg header", ret);
        return false;
    }

    e.frame = av_frame_alloc();
    e.packet = av_packet_alloc();
    const int frameSize = e.codec->frame_size > 0 ? e.codec->frame_size : 1024;
    const size_t channels = static_cast<size_t>(sound.channels);
    const size_t frames = sound.samples.size() / channels;
    for (size_t at = 0; at < frames; at += static_cast<size_t>(frameSize)) {
        // The last frame is filled up with silence; the page cuts the sound
        // to its length.
        const size_t n = std::min<size_t>(static_cast<size_t>(frameSize), frames - at);
        av_frame_unref(e.frame);
        e.frame->nb_samples = frameSize;
        e.frame->format = AV_SAMPLE_FMT_FLTP;
        e.frame->sample_rate = sound.rate;
        av_channel_layout_copy(&e.frame->ch_layout, &layout);
        e.frame->pts = static_cast<int64_t>(at);
        if ((ret = av_frame_get_buffer(e.frame, 0)) < 0) {
            error = AvError("frame", ret);
            return false;
        }
        for (size_t c = 0; c < channels; ++c) {
            float* to = reinterpret_cast<float*>(e.frame->data[c]);
            for (size_t i = 0; i < static_cast<size_t>(frameSize); ++i)
                to[i] = i < n ? sound.samples[(at + i) * channels + c] / 32768.0f : 0.0f;
        }
        if ((ret = avcodec_send_frame(e.codec, e.frame)) < 0) {
            error = AvError("encoding", ret);
            return false;
        }
        if (!Drain(e, error)) return false;
    }
    if ((ret = avcodec_send_frame(e.codec, nullptr)) < 0) {
        error = AvError("encoding", ret);
        return false;
    }
    if (!Drain(e, error)) return false;
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
