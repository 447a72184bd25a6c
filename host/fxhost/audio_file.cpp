#include "audio_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "exit_status.h"

namespace {

std::string lowerExtension(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

int majorFromExtension(const std::string& path) {
  const std::string ext = lowerExtension(path);
  if (ext == "wav") return SF_FORMAT_WAV;
  if (ext == "flac") return SF_FORMAT_FLAC;
  if (ext == "aif" || ext == "aiff") return SF_FORMAT_AIFF;
  if (ext == "ogg" || ext == "oga") return SF_FORMAT_OGG;
  return 0;
}

int usualSubtype(int major) {
  switch (major) {
    case SF_FORMAT_FLAC: return SF_FORMAT_PCM_24;
    case SF_FORMAT_OGG: return SF_FORMAT_VORBIS;
    default: return SF_FORMAT_PCM_16;
  }
}

bool valid(int format) {
  SF_INFO probe{};
  probe.format = format;
  probe.channels = 1;
  probe.samplerate = 44100;
  return sf_format_check(&probe) != 0;
}

std::string formatName(int format, int command) {
  SF_FORMAT_INFO info{};
  info.format = format;
  if (sf_command(nullptr, command, &info, sizeof info) != 0 || !info.name) return "unknown";
  return info.name;
}

std::string directoryOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The temporary file being written, for the signal handler: an interrupted render must not
// leave it behind either. One render at a time per process.
char pendingTemporary[4096];

extern "C" void removePendingAndExit(int signal) {
  if (pendingTemporary[0] != '\0') unlink(pendingTemporary);
  _exit(128 + signal);
}

void watchTemporary(const std::string& temporary) {
  if (temporary.size() >= sizeof pendingTemporary) return;
  std::memcpy(pendingTemporary, temporary.c_str(), temporary.size() + 1);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, removePendingAndExit);
}

void forgetTemporary() {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, SIG_DFL);
  pendingTemporary[0] = '\0';
}

}  // namespace

bool fileExists(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0;
}

AudioReader::AudioReader(const std::string& filePath) : path(filePath) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0)
    throw CommandError(ExitStatus::InputUnreadable, "cannot read input " + path + ": " + std::strerror(errno));
  if (S_ISDIR(st.st_mode))
    throw CommandError(ExitStatus::InputUnreadable, "cannot read input " + path + ": it is a directory");
  file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file)
    throw CommandError(ExitStatus::InputUnreadable,
                       "cannot read input " + path + ": " + sf_strerror(nullptr));
  if (info.channels <= 0 || info.samplerate <= 0) {
    sf_close(file);
    file = nullptr;
    throw CommandError(ExitStatus::InputUnreadable, "cannot read input " + path + ": no channels or no sample rate");
  }
}

AudioReader::~AudioReader() {
  if (file) sf_close(file);
}

std::size_t AudioReader::read(float* interleaved, std::size_t frameCount) {
  const sf_count_t got = sf_readf_float(file, interleaved, static_cast<sf_count_t>(frameCount));
  if (sf_error(file) != SF_ERR_NO_ERROR)
    throw CommandError(ExitStatus::InputUnreadable, "cannot read input " + path + ": " + sf_strerror(file));
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

std::size_t AudioReader::read(double* interleaved, std::size_t frameCount) {
  const sf_count_t got = sf_readf_double(file, interleaved, static_cast<sf_count_t>(frameCount));
  if (sf_error(file) != SF_ERR_NO_ERROR)
    throw CommandError(ExitStatus::InputUnreadable, "cannot read input " + path + ": " + sf_strerror(file));
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

AudioWriter::AudioWriter(const std::string& filePath, int format, int channels, int sampleRate)
    : path(filePath) {
  struct stat st {};
  if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
    throw CommandError(ExitStatus::OutputUnwritable, "cannot write " + path + ": it is a directory");
  std::string pattern = directoryOf(path) + "/." + baseName(path) + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) throw CommandError(ExitStatus::OutputUnwritable, "cannot write " + path + ": " + std::strerror(errno));
  temporaryPath = name.data();
  watchTemporary(temporaryPath);

  SF_INFO info{};
  info.format = format;
  info.channels = channels;
  info.samplerate = sampleRate;
  file = sf_open_fd(fd, SFM_WRITE, &info, SF_TRUE);
  if (!file) {
    const std::string why = sf_strerror(nullptr);
    close(fd);
    unlink(temporaryPath.c_str());
    forgetTemporary();
    throw CommandError(ExitStatus::OutputUnwritable, "cannot write " + path + " as " + describeFormat(format) + ": " + why);
  }
  // Integer formats: a float at or beyond full scale becomes the largest code, not a wrap.
  sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

AudioWriter::~AudioWriter() {
  if (file) sf_close(file);
  if (!temporaryPath.empty()) unlink(temporaryPath.c_str());
  forgetTemporary();
}

void AudioWriter::write(const float* interleaved, std::size_t frameCount) {
  const sf_count_t wrote = sf_writef_float(file, interleaved, static_cast<sf_count_t>(frameCount));
  if (wrote != static_cast<sf_count_t>(frameCount))
    throw CommandError(ExitStatus::OutputUnwritable, "cannot write " + path + ": " + sf_strerror(file));
}

void AudioWriter::commit() {
  const int closed = sf_close(file);
  file = nullptr;
  if (closed != 0)
    throw CommandError(ExitStatus::OutputUnwritable, "cannot write " + path + ": " + sf_error_number(closed));
  // mkstemp made the file private; give it the permissions a new file would have.
  const mode_t mask = umask(0);
  umask(mask);
  chmod(temporaryPath.c_str(), 0666 & ~mask);
  if (rename(temporaryPath.c_str(), path.c_str()) != 0)
    throw CommandError(ExitStatus::OutputUnwritable, "cannot write " + path + ": " + std::strerror(errno));
  temporaryPath.clear();
  forgetTemporary();
}

int chooseOutputFormat(int inputFormat, const std::string& outputPath, bool asFloat) {
  const int inputMajor = inputFormat & SF_FORMAT_TYPEMASK;
  const int major = majorFromExtension(outputPath) ? majorFromExtension(outputPath) : inputMajor;
  if (asFloat) {
    const int format = major | SF_FORMAT_FLOAT;
    if (!valid(format))
      throw CommandError(ExitStatus::Usage, formatName(major, SFC_GET_FORMAT_INFO) + " cannot hold 32-bit float samples");
    return format;
  }
  const int kept = major == inputMajor ? inputFormat : major | (inputFormat & SF_FORMAT_SUBMASK);
  if (valid(kept)) return kept;
  return major | usualSubtype(major);
}

std::string describeFormat(int format) {
  return formatName(format & SF_FORMAT_TYPEMASK, SFC_GET_FORMAT_INFO) + ", " +
         formatName(format & SF_FORMAT_SUBMASK, SFC_GET_FORMAT_INFO);
}
