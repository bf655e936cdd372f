// Runs one program and prints its wall time in seconds and its peak
// resident memory in KiB, measured from outside:
//
//   measure STDIN STDOUT DIR PROGRAM [ARGS...]
//
// STDIN and STDOUT are files for the program's standard input and output
// (and error); DIR is its working directory. This small process forks the
// program itself, so the peak memory reported is the program's own and not
// that of a larger parent such as the Python driver.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: measure STDIN STDOUT DIR PROGRAM [ARGS...]\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0) return 1;
  if (pid == 0) {
    const int in = open(argv[1], O_RDONLY);
    const int out = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || chdir(argv[3]) != 0) _exit(126);
    dup2(in, 0);
    dup2(out, 1);
    dup2(out, 2);
    close(in);
    close(out);
    execv(argv[4], argv + 4);
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) != pid) return 1;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%.6f %ld %d\n", seconds, usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  return 0;
}
