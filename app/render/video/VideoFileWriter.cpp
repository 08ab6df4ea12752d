#include "app/render/video/VideoFileWriter.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <vector>

namespace video {

namespace {

constexpr int kChannels = 2;
// A key frame every few seconds, for seeking; pictures that change little
// between them cost little.
constexpr int kKeyFrameSeconds = 5;
// 8K UHD: the largest picture a video may have.
constexpr int kMaxVideoWidth = 7680;
constexpr int kMaxVideoHeight = 4320;

struct Encoders {
    const char* muxer;
    const char* video;
    const char* audio;
    int64_t audioBitRate;
    int audioRate;  // the one rate its files have; 0: the sound's, where the codec takes it
};

Encoders EncodersOf(VideoFileFormat format) {
    switch (format) {
        // Opus always decodes at 48000 Hz, whatever it was made from.
        case VideoFileFormat::Mp4: return {"mp4", "libx264", "aac", 160000, 0};
        case VideoFileFormat::WebM: return {"webm", "libvpx-vp9", "libopus", 128000, 48000};
        case VideoFileFormat::Matroska: return {"matroska", "libvpx-vp9", "libopus", 128000, 48000};
    }
    return {};
}

// Settings that keep encoding many times faster than real time on a small
// machine. The pictures are flat colours with sharp edges that mostly stand
// still, which either codec keeps well even at its fastest.
void SetFastest(VideoFileFormat format, AVCodecContext& picture, AVCodecContext& sound) {
    if (format == VideoFileFormat::Mp4) {
        av_opt_set(picture.priv_data, "preset", "ultrafast", 0);
        // A constant quantiser: the encoder then makes no estimate of each
        // picture's complexity, which costs more than the picture itself
        // when the screen stands still (most of the time).
        av_opt_set_int(picture.priv_data, "qp", 20, 0);
        // The AAC encoder's default search takes twice the time for little
        // difference at this bit rate; Opus is fast as it is.
        av_opt_set(sound.priv_data, "aac_coder", "fast", 0);
    } else {
        picture.bit_rate = 0;  // constant quality
        av_opt_set(picture.priv_data, "deadline", "realtime", 0);
        av_opt_set_int(picture.priv_data, "cpu-used", 8, 0);
        av_opt_set_int(picture.priv_data, "row-mt", 1, 0);
        av_opt_set_int(picture.priv_data, "tile-columns", 2, 0);
        av_opt_set_int(picture.priv_data, "crf", 30, 0);
    }
}

// Sound frames per encoded frame; the codecs that take any give 0.
int FrameSize(const AVCodecContext& sound) { return sound.frame_size > 0 ? sound.frame_size : 1024; }

std::string AvError(int averror) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(averror, text, sizeof text);
    return text;
}

// The codec's own rate if it takes it; else the lowest it takes above, or
// its highest.
int RateFor(const AVCodec& codec, int rate) {
    if (codec.supported_samplerates == nullptr) return rate;
    int above = 0, highest = 0;
    for (const int* r = codec.supported_samplerates; *r != 0; ++r) {
        if (*r == rate) return rate;
        if (*r > rate && (above == 0 || *r < above)) above = *r;
        highest = std::max(highest, *r);
    }
    return above != 0 ? above : highest;
}

}  // namespace

std::optional<VideoFileFormat> VideoFileFormatOf(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".mp4") return VideoFileFormat::Mp4;
    if (ext == ".webm") return VideoFileFormat::WebM;
    if (ext == ".mkv") return VideoFileFormat::Matroska;
    return std::nullopt;
}

std::string VideoSizeProblem(const VideoFileOptions& o) {
    if (o.scale < 1 || o.width < 1 || o.height < 1) return "pictures of no size";
    const int64_t w = int64_t(o.width) * o.scale, h = int64_t(o.height) * o.scale;
    const std::string size = std::to_string(w) + "x" + std::to_string(h);
    if (w > kMaxVideoWidth || h > kMaxVideoHeight)
        return "a video of " + size + " pixels is larger than the largest, " + std::to_string(kMaxVideoWidth) + "x" +
               std::to_string(kMaxVideoHeight);
    if (w % 2 != 0 || h % 2 != 0) return "a video of " + size + " pixels: its width and height must be even";
    return {};
}

struct VideoFileWriter::Codecs {
    AVFormatContext* format = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* audio = nullptr;
    AVStream* videoStream = nullptr;
    AVStream* audioStream = nullptr;
    SwsContext* scaler = nullptr;
    SwrContext* resampler = nullptr;
    AVAudioFifo* fifo = nullptr;
    AVFrame* picture = nullptr;  // the last picture converted, sent again while pictures repeat
    AVFrame* sound = nullptr;
    AVPacket* packet = nullptr;
    std::vector<uint32_t> lastPicture;
    int64_t picturesSent = 0;
    int64_t samplesSent = 0;  // at the file's rate
    uint8_t** converted = nullptr;  // resampled sound on its way to the fifo
    int convertedCapacity = 0;      // frames

    ~Codecs() {
        if (converted != nullptr) av_freep(&converted[0]);
        av_freep(&converted);
        av_packet_free(&packet);
        av_frame_free(&sound);
        av_frame_free(&picture);
        if (fifo != nullptr) av_audio_fifo_free(fifo);
        swr_free(&resampler);
        sws_freeContext(scaler);
        avcodec_free_context(&audio);
        avcodec_free_context(&video);
        if (format != nullptr) {
            if (format->pb != nullptr) avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }

    // Writes every packet the encoder has ready.
    int Drain(AVCodecContext* context, AVStream* stream) {
        int ret;
        while ((ret = avcodec_receive_packet(context, packet)) >= 0) {
            av_packet_rescale_ts(packet, context->time_base, stream->time_base);
            packet->stream_index = stream->index;
            ret = av_interleaved_write_frame(format, packet);
            if (ret < 0) return ret;
        }
        return ret == AVERROR(EAGAIN) || ret == AVERROR_EOF ? 0 : ret;
    }
};

VideoFileWriter::VideoFileWriter(const std::string& path, VideoFileFormat format, const VideoFileOptions& options)
    : c_(std::make_unique<Codecs>()), options_(options) {
    // The libraries would chat on standard error; what went wrong comes back
    // as Error() instead.
    av_log_set_level(AV_LOG_QUIET);
    if (const std::string problem = VideoSizeProblem(options); !problem.empty()) {
        error_ = problem;
        return;
    }
    open_ = OpenEncoders(path, format) && OpenConverters() && OpenFile(path, format);
}

bool VideoFileWriter::OpenEncoders(const std::string& path, VideoFileFormat format) {
    const Encoders names = EncodersOf(format);
    int ret = avformat_alloc_output_context2(&c_->format, nullptr, names.muxer, path.c_str());
    if (ret < 0) return Fail("the file format", ret);
    c_->format->flags |= AVFMT_FLAG_BITEXACT;  // the same session, the same bytes

    const AVCodec* videoCodec = avcodec_find_encoder_by_name(names.video);
    const AVCodec* audioCodec = avcodec_find_encoder_by_name(names.audio);
    if (videoCodec == nullptr || audioCodec == nullptr) {
        error_ = std::string("FFmpeg's libraries have no ") + (videoCodec == nullptr ? names.video : names.audio) +
                 " encoder";
        return false;
    }
    AVCodecContext* v = c_->video = avcodec_alloc_context3(videoCodec);
    AVCodecContext* a = c_->audio = avcodec_alloc_context3(audioCodec);
    if (v == nullptr || a == nullptr) return Fail("memory", AVERROR(ENOMEM));
    v->width = options_.width * options_.scale;
    v->height = options_.height * options_.scale;
    v->time_base = AVRational{1, options_.frameRate};
    v->framerate = AVRational{options_.frameRate, 1};
    v->pix_fmt = AV_PIX_FMT_YUV420P;
    v->gop_size = options_.frameRate * kKeyFrameSeconds;
    v->thread_count = 0;  // as many as the machine has
    // The colours of HD video, which players assume for pictures this size.
    v->colorspace = AVCOL_SPC_BT709;
    v->color_primaries = AVCOL_PRI_BT709;
    v->color_trc = AVCOL_TRC_BT709;
    v->color_range = AVCOL_RANGE_MPEG;

    a->sample_fmt = audioCodec->sample_fmts != nullptr ? audioCodec->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
    a->sample_rate = names.audioRate != 0 ? names.audioRate : RateFor(*audioCodec, options_.sampleRate);
    a->time_base = AVRational{1, a->sample_rate};
    a->bit_rate = names.audioBitRate;
    const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    av_channel_layout_copy(&a->ch_layout, &stereo);
    SetFastest(format, *v, *a);
    if (c_->format->oformat->flags & AVFMT_GLOBALHEADER) {
        v->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        a->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    if ((ret = avcodec_open2(v, videoCodec, nullptr)) < 0)
        return Fail(std::string("the ") + names.video + " encoder", ret);
    if ((ret = avcodec_open2(a, audioCodec, nullptr)) < 0)
        return Fail(std::string("the ") + names.audio + " encoder", ret);

    c_->videoStream = avformat_new_stream(c_->format, nullptr);
    c_->audioStream = avformat_new_stream(c_->format, nullptr);
    if (c_->videoStream == nullptr || c_->audioStream == nullptr) return Fail("memory", AVERROR(ENOMEM));
    avcodec_parameters_from_context(c_->videoStream->codecpar, v);
    c_->videoStream->time_base = v->time_base;
    c_->videoStream->avg_frame_rate = v->framerate;
    avcodec_parameters_from_context(c_->audioStream->codecpar, a);
    c_->audioStream->time_base = a->time_base;
    return true;
}

bool VideoFileWriter::OpenConverters() {
    const AVCodecContext* v = c_->video;
    AVCodecContext* a = c_->audio;  // the converter takes its layout without const
    // Whole pixels: nearest-neighbour scaling straight into the encoder's format.
    c_->scaler = sws_getContext(options_.width, options_.height, AV_PIX_FMT_0RGB32, v->width, v->height, v->pix_fmt,
                                SWS_POINT, nullptr, nullptr, nullptr);
    if (c_->scaler == nullptr) return Fail("the picture scaler", AVERROR(EINVAL));
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(c_->scaler, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);

    AVChannelLayout in = AV_CHANNEL_LAYOUT_STEREO;
    int ret = swr_alloc_set_opts2(&c_->resampler, &a->ch_layout, a->sample_fmt, a->sample_rate, &in,
                                  AV_SAMPLE_FMT_S16, options_.sampleRate, 0, nullptr);
    if (ret >= 0) ret = swr_init(c_->resampler);
    if (ret < 0) return Fail("the sound converter", ret);

    const int frameSize = FrameSize(*a);
    c_->fifo = av_audio_fifo_alloc(a->sample_fmt, kChannels, frameSize);
    c_->picture = av_frame_alloc();
    c_->sound = av_frame_alloc();
    c_->packet = av_packet_alloc();
    if (c_->fifo == nullptr || c_->picture == nullptr || c_->sound == nullptr || c_->packet == nullptr)
        return Fail("memory", AVERROR(ENOMEM));
    c_->picture->format = v->pix_fmt;
    c_->picture->width = v->width;
    c_->picture->height = v->height;
    c_->sound->format = a->sample_fmt;
    c_->sound->nb_samples = frameSize;
    c_->sound->sample_rate = a->sample_rate;
    av_channel_layout_copy(&c_->sound->ch_layout, &a->ch_layout);
    if ((ret = av_frame_get_buffer(c_->picture, 0)) < 0 || (ret = av_frame_get_buffer(c_->sound, 0)) < 0)
        return Fail("memory", ret);
    c_->lastPicture.resize(size_t(options_.width) * size_t(options_.height));
    return true;
}

bool VideoFileWriter::OpenFile(const std::string& path, VideoFileFormat format) {
    int ret = avio_open(&c_->format->pb, path.c_str(), AVIO_FLAG_WRITE);
    if (ret < 0) return Fail("", ret);
    AVDictionary* muxerOptions = nullptr;
    // MP4: the index at the front, so that a page plays the video while it loads.
    if (format == VideoFileFormat::Mp4) av_dict_set(&muxerOptions, "movflags", "+faststart", 0);
    ret = avformat_write_header(c_->format, &muxerOptions);
    av_dict_free(&muxerOptions);
    return ret >= 0 || Fail("", ret);
}

VideoFileWriter::~VideoFileWriter() = default;

bool VideoFileWriter::Fail(const std::string& what, int averror) {
    if (error_.empty()) error_ = what.empty() ? AvError(averror) : what + ": " + AvError(averror);
    return false;
}

bool VideoFileWriter::WritePicture(const uint32_t* xrgb) {
    if (!open_ || !error_.empty()) return false;
    const size_t bytes = c_->lastPicture.size() * sizeof(uint32_t);
    // The screen often stands still between frames; its conversion stands.
    if (c_->picturesSent == 0 || std::memcmp(c_->lastPicture.data(), xrgb, bytes) != 0) {
        std::memcpy(c_->lastPicture.data(), xrgb, bytes);
        if (const int ret = av_frame_make_writable(c_->picture); ret < 0) return Fail("memory", ret);
        const uint8_t* const planes[] = {reinterpret_cast<const uint8_t*>(xrgb)};
        const int strides[] = {options_.width * int(sizeof(uint32_t))};
        sws_scale(c_->scaler, planes, strides, 0, options_.height, c_->picture->data, c_->picture->linesize);
    }
    c_->picture->pts = c_->picturesSent++;
    return EncodePicture(false);
}

bool VideoFileWriter::EncodePicture(bool flush) {
    int ret = avcodec_send_frame(c_->video, flush ? nullptr : c_->picture);
    if (ret >= 0) ret = c_->Drain(c_->video, c_->videoStream);
    return ret >= 0 || Fail("", ret);
}

bool VideoFileWriter::WriteSound(const int16_t* interleaved, int frames) {
    if (!open_ || !error_.empty()) return false;
    if (frames <= 0) return true;
    const int room = swr_get_out_samples(c_->resampler, frames);
    if (room > c_->convertedCapacity) {
        if (c_->converted != nullptr) av_freep(&c_->converted[0]);
        av_freep(&c_->converted);
        if (const int ret = av_samples_alloc_array_and_samples(&c_->converted, nullptr, kChannels, room,
                                                               c_->audio->sample_fmt, 0);
            ret < 0) {
            c_->convertedCapacity = 0;
            return Fail("memory", ret);
        }
        c_->convertedCapacity = room;
    }
    const uint8_t* in[] = {reinterpret_cast<const uint8_t*>(interleaved)};
    const int made = swr_convert(c_->resampler, c_->converted, room, in, frames);
    if (made < 0) return Fail("the sound converter", made);
    if (av_audio_fifo_write(c_->fifo, reinterpret_cast<void**>(c_->converted), made) < made)
        return Fail("memory", AVERROR(ENOMEM));
    return EncodeSound(false);
}

bool VideoFileWriter::EncodeSound(bool flush) {
    AVFrame* frame = c_->sound;
    const int frameSize = FrameSize(*c_->audio);
    const bool smallLast = (c_->audio->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME) != 0;
    int ret = 0;
    while (ret >= 0 && (av_audio_fifo_size(c_->fifo) >= frameSize || (flush && av_audio_fifo_size(c_->fifo) > 0))) {
        if ((ret = av_frame_make_writable(frame)) < 0) break;
        const int n = av_audio_fifo_read(c_->fifo, reinterpret_cast<void**>(frame->data), frameSize);
        if (n < 0) {
            ret = n;
            break;
        }
        frame->nb_samples = n;
        if (n < frameSize && !smallLast) {
            av_samples_set_silence(frame->data, n, frameSize - n, kChannels, c_->audio->sample_fmt);
            frame->nb_samples = frameSize;
        }
        frame->pts = c_->samplesSent;
        c_->samplesSent += n;
        ret = avcodec_send_frame(c_->audio, frame);
        frame->nb_samples = frameSize;
        if (ret >= 0) ret = c_->Drain(c_->audio, c_->audioStream);
    }
    if (ret >= 0 && flush) {
        ret = avcodec_send_frame(c_->audio, nullptr);
        if (ret >= 0) ret = c_->Drain(c_->audio, c_->audioStream);
    }
    return ret >= 0 || Fail("", ret);
}

bool VideoFileWriter::Close() {
    if (!open_) return false;
    open_ = false;
    if (!error_.empty()) return false;
    // What the converter still holds (the tail of a rate conversion).
    for (int made = 1; made > 0 && c_->convertedCapacity > 0;) {
        made = swr_convert(c_->resampler, c_->converted, c_->convertedCapacity, nullptr, 0);
        if (made < 0) return Fail("the sound converter", made);
        if (av_audio_fifo_write(c_->fifo, reinterpret_cast<void**>(c_->converted), made) < made)
            return Fail("memory", AVERROR(ENOMEM));
    }
    if (!EncodeSound(true) || !EncodePicture(true)) return false;
    int ret = av_write_trailer(c_->format);
    if (ret < 0) return Fail("", ret);
    if (c_->format->pb->error < 0) return Fail("", c_->format->pb->error);
    if ((ret = avio_closep(&c_->format->pb)) < 0) return Fail("", ret);
    return true;
}

}  // namespace video
