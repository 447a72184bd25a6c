// Audio files through libsndfile: a reader for any format it reads, and a writer that
// writes beside the target under a temporary name and renames only when complete, so a
// failed or interrupted render never leaves a partial output file behind. Both throw
// CommandError (InputUnreadable, OutputUnwritable, Usage) with a one-line message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <sndfile.h>

class AudioReader {
 public:
  explicit AudioReader(const std::string& path);
  ~AudioReader();
  AudioReader(const AudioReader&) = delete;
  AudioReader& operator=(const AudioReader&) = delete;

  int channels() const { return info.channels; }
  int sampleRate() const { return info.samplerate; }
  std::int64_t frames() const { return info.frames; }
  int format() const { return info.format; }

  // Reads up to `frames` frames, interleaved, normalised to -1..1 for integer formats;
  // returns how many were read (fewer only at the end of the file).
  std::size_t read(float* interleaved, std::size_t frameCount);
  std::size_t read(double* interleaved, std::size_t frameCount);

 private:
  std::string path;
  SF_INFO info{};
  SNDFILE* file = nullptr;
};

class AudioWriter {
 public:
  // Creates the temporary file beside `path`. `format` is a libsndfile format word.
  AudioWriter(const std::string& path, int format, int channels, int sampleRate);
  ~AudioWriter();
  AudioWriter(const AudioWriter&) = delete;
  AudioWriter& operator=(const AudioWriter&) = delete;

  // Writes interleaved frames; integer formats clip at full scale instead of wrapping.
  void write(const float* interleaved, std::size_t frameCount);
  // Closes the file and gives it its real name; without this the destructor removes it.
  void commit();

 private:
  std::string path;
  std::string temporaryPath;
  SNDFILE* file = nullptr;
};

// The output format of a render: the major format named by the output's extension (.wav,
// .flac, .aif/.aiff, .ogg/.oga), else the input's; the input's subtype where the output
// format can hold it, else that format's usual one; 32-bit float with `asFloat`.
int chooseOutputFormat(int inputFormat, const std::string& outputPath, bool asFloat);

// "WAV, 16-bit PCM" and the like.
std::string describeFormat(int format);

bool fileExists(const std::string& path);
