// Videos (AVI, MP4…) through FFmpeg's libraries: the first video stream
// decoded frame by frame and turned grey by libswscale (16 bits when the
// video has more than 8, else 8). A video carries no trustworthy UT clock:
// the start and, when the file has none, the frame rate come from the user.
#include "recording_formats.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <cmath>

namespace zeno {

namespace {

QString avMessage(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

class VideoReader final : public RecordingReader {
public:
    ~VideoReader() override
    {
        sws_freeContext(sws_);
        av_frame_free(&frame_);
        av_packet_free(&packet_);
        avcodec_free_context(&codec_);
        avformat_close_input(&format_);
    }

    QString open(const QString& path)
    {
        const QString name = QFileInfo(path).fileName();
        const QByteArray file = QFile::encodeName(path);
        av_log_set_level(AV_LOG_QUIET);
        if (int e = avformat_open_input(&format_, file.constData(), nullptr, nullptr); e < 0)
            return QCoreApplication::translate("Recording", "%1 : vidéo illisible (%2)").arg(name, avMessage(e));
        if (int e = avformat_find_stream_info(format_, nullptr); e < 0)
            return QCoreApplication::translate("Recording", "%1 : vidéo illisible (%2)").arg(name, avMessage(e));
        const AVCodec* decoder = nullptr;
        stream_ = av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
        if (stream_ < 0 || !decoder)
            return QCoreApplication::translate("Recording", "%1 : le fichier ne contient aucune vidéo lisible").arg(name);
        AVStream* s = format_->streams[stream_];
        codec_ = avcodec_alloc_context3(decoder);
        if (!codec_ || avcodec_parameters_to_context(codec_, s->codecpar) < 0 || avcodec_open2(codec_, decoder, nullptr) < 0)
            return QCoreApplication::translate("Recording", "%1 : décodeur vidéo indisponible").arg(name);
        if (codec_->width <= 0 || codec_->height <= 0)
            return QCoreApplication::translate("Recording", "%1 : vidéo sans taille d'image").arg(name);
        frame_ = av_frame_alloc();
        packet_ = av_packet_alloc();
        const AVRational rate = s->avg_frame_rate.num > 0 ? s->avg_frame_rate : s->r_frame_rate;
        if (rate.num > 0 && rate.den > 0)
            fileFps_ = av_q2d(rate);
        // The frame count: the container's when it keeps one, else counted
        // from the packets (read, not decoded).
        int frames = int(s->nb_frames);
        if (frames <= 0) {
            frames = 0;
            while (av_read_frame(format_, packet_) >= 0) {
                if (packet_->stream_index == stream_)
                    ++frames;
                av_packet_unref(packet_);
            }
            rewind();
        }
        if (frames <= 0)
            return QCoreApplication::translate("Recording", "%1 : la vidéo ne contient aucune image").arg(name);
        const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(AVPixelFormat(codec_->pix_fmt));
        const int depth = d ? d->comp[0].depth : 8;
        grey_ = depth > 8 ? AV_PIX_FMT_GRAY16 : AV_PIX_FMT_GRAY8;
        info_.format = RecordingFormat::Video;
        info_.path = path;
        info_.frames = frames;
        info_.width = codec_->width;
        info_.height = codec_->height;
        info_.bitDepth = depth > 8 ? 16 : 8;
        info_.saturation = depth > 8 ? 65535 : 255;
        info_.timesFromFile = false;   // a video's clock has no UT: the start is asked
        info_.fileFps = fileFps_.value_or(0);
        info_.description = QCoreApplication::translate("Recording", "vidéo %1 %2 bits, %3 × %4, %5 images, %6 images/s")
                                .arg(QString::fromLatin1(decoder->name)).arg(info_.bitDepth)
                                .arg(info_.width).arg(info_.height).arg(frames)
                                .arg(fileFps_ ? QString::number(*fileFps_, 'g', 6) : QStringLiteral("?"));
        return {};
    }

    bool readRegion(int i, const QRect& r, std::vector<float>& out) override
    {
        if (!checkRegion(i, r))
            return false;
        if (i != current_ && !decodeTo(i))
            return false;
        out.resize(size_t(r.width()) * size_t(r.height()));
        for (int y = 0; y < r.height(); ++y) {
            float* o = out.data() + size_t(y) * size_t(r.width());
            if (grey_ == AV_PIX_FMT_GRAY16) {
                const uint16_t* p = reinterpret_cast<const uint16_t*>(grey_data_.data()) + size_t(r.top() + y) * size_t(info_.width) + size_t(r.left());
                for (int x = 0; x < r.width(); ++x)
                    o[x] = p[x];
            } else {
                const uint8_t* p = grey_data_.data() + size_t(r.top() + y) * size_t(info_.width) + size_t(r.left());
                for (int x = 0; x < r.width(); ++x)
                    o[x] = p[x];
            }
        }
        return true;
    }

protected:
    std::optional<double> fileTime(int) const override { return std::nullopt; }

private:
    void rewind()
    {
        av_seek_frame(format_, stream_, 0, AVSEEK_FLAG_BACKWARD);
        avcodec_flush_buffers(codec_);
        decoded_ = -1;
        draining_ = false;
    }

    // The next decoded frame into frame_; false at the end or on a fault.
    bool decodeNext()
    {
        for (;;) {
            const int got = avcodec_receive_frame(codec_, frame_);
            if (got == 0) {
                ++decoded_;
                return true;
            }
            if (got != AVERROR(EAGAIN) || draining_)
                return false;
            const int read = av_read_frame(format_, packet_);
            if (read < 0) {
                draining_ = true;
                avcodec_send_packet(codec_, nullptr);
                continue;
            }
            if (packet_->stream_index == stream_)
                avcodec_send_packet(codec_, packet_);
            av_packet_unref(packet_);
        }
    }

    // Frame i decoded and turned grey; frames are decoded in order from the
    // start (a video is read forward; going back starts over).
    bool decodeTo(int i)
    {
        if (i < decoded_)
            rewind();
        while (decoded_ < i)
            if (!decodeNext()) {
                error_ = QCoreApplication::translate("Recording", "image %1 de la vidéo illisible").arg(i + 1);
                current_ = -1;
                return false;
            }
        sws_ = sws_getCachedContext(sws_, frame_->width, frame_->height, AVPixelFormat(frame_->format), info_.width,
                                    info_.height, grey_, SWS_POINT, nullptr, nullptr, nullptr);
        if (!sws_) {
            error_ = QCoreApplication::translate("Recording", "conversion en gris impossible");
            return false;
        }
        const int bytes = grey_ == AV_PIX_FMT_GRAY16 ? 2 : 1;
        grey_data_.resize(size_t(info_.width) * size_t(info_.height) * size_t(bytes));
        uint8_t* dst[4] = {grey_data_.data(), nullptr, nullptr, nullptr};
        int stride[4] = {info_.width * bytes, 0, 0, 0};
        sws_scale(sws_, frame_->data, frame_->linesize, 0, frame_->height, dst, stride);
        current_ = i;
        return true;
    }

    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* sws_ = nullptr;
    int stream_ = -1;
    AVPixelFormat grey_ = AV_PIX_FMT_GRAY8;
    std::vector<uint8_t> grey_data_;
    int decoded_ = -1;    // index of the frame in frame_
    int current_ = -1;    // index of the frame in grey_data_
    bool draining_ = false;
};

} // namespace

OpenedRecording openVideo(const QString& path, const RecordingTiming& timing)
{
    return RecordingOpener::open<VideoReader>(path, timing);
}

} // namespace zeno
