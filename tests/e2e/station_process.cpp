#include "station_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

extern char** environ;

namespace korvane::testing {
namespace {

// A station that hangs must not hang the test run: past this, reading gives up.
constexpr int kReadLimitMs = 120'000;

void CloseIfOpen(int& fd) {
  if (fd >= 0) {
    close(fd);
    fd = -1;
  }
}

}  // namespace

StationProcess::StationProcess(const std::string& executable,
                               const std::vector<std::string>& arguments,
                               const std::string& workingDirectory) {
  int outPipe[2] = {-1, -1};
  int errPipe[2] = {-1, -1};
  if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
  posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());

  std::vector<std::string> argv = {executable};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<char*> raw;
  for (std::string& argument : argv) {
    raw.push_back(argument.data());
  }
  raw.push_back(nullptr);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, executable.c_str(), &actions, nullptr, raw.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(outPipe[1]);
  close(errPipe[1]);
  m_out = outPipe[0];
  m_err = errPipe[0];
  if (spawned != 0) {
    CloseIfOpen(m_out);
    CloseIfOpen(m_err);
    return;
  }
  m_pid = pid;
}

StationProcess::~StationProcess() {
  if (m_pid > 0 && !m_reaped) {
    kill(m_pid, SIGKILL);
    int status = 0;
    waitpid(m_pid, &status, 0);
  }
  CloseIfOpen(m_out);
  CloseIfOpen(m_err);
}

bool StationProcess::ReadSome(int waitMs) {
  std::array<pollfd, 2> fds = {pollfd{m_out, POLLIN, 0}, pollfd{m_err, POLLIN, 0}};
  if (m_out < 0 && m_err < 0) {
    return false;
  }
  const int ready = poll(fds.data(), fds.size(), waitMs);
  if (ready < 0 && errno != EINTR) {
    return false;
  }
  if (ready == 0) {
    return false;  // nothing within the limit: give up rather than hang
  }
  std::array<int*, 2> streams = {&m_out, &m_err};
  std::array<std::string*, 2> into = {&m_end.out, &m_end.err};
  for (std::size_t i = 0; i < fds.size(); ++i) {
    if (*streams[i] < 0 || (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) {
      continue;
    }
    char buffer[4096];
    const ssize_t got = read(*streams[i], buffer, sizeof buffer);
    if (got > 0) {
      into[i]->append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      CloseIfOpen(*streams[i]);
    }
  }
  return true;
}

bool StationProcess::WaitForOutput(std::string_view text) {
  while (m_end.out.find(text) == std::string::npos) {
    if (!ReadSome(kReadLimitMs)) {
      return false;
    }
  }
  return true;
}

bool StationProcess::Running() {
  if (m_pid <= 0 || m_reaped) {
    return false;
  }
  int status = 0;
  if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
    m_reaped = true;
    m_end.exited = WIFEXITED(status);
    m_end.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    m_end.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return false;
  }
  return true;
}

void StationProcess::Signal(int signalNumber) {
  if (m_pid > 0 && !m_reaped) {
    kill(m_pid, signalNumber);
  }
}

StationEnd StationProcess::Finish() {
  while (ReadSome(kReadLimitMs)) {
  }
  if (m_pid > 0 && !m_reaped) {
    if (m_out >= 0 || m_err >= 0) {
      kill(m_pid, SIGKILL);  // the output did not end in time
    }
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_reaped = true;
    m_end.exited = WIFEXITED(status);
    m_end.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    m_end.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  }
  return m_end;
}

ScratchDirectory::ScratchDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "korvane-e2e-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("mkdtemp failed");
  }
  m_path = pattern;
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

void ScratchDirectory::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(PathOf(name), std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool ScratchDirectory::Has(const std::string& name) const {
  return std::filesystem::exists(PathOf(name));
}

std::string ScratchDirectory::Read(const std::string& name) const {
  std::ifstream in(PathOf(name), std::ios::binary);
  std::string bytes;
  char buffer[4096];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  return bytes;
}

}  // namespace korvane::testing
