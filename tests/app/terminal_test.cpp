// Runs the real binary on a pseudo-terminal and types like a person: each
// prompt must be on the screen while the program waits for its answer.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

class Terminal {
 public:
  // Starts the program on a new pseudo-terminal in folder dir; with
  // nonBlocking, its standard input answers EAGAIN while no line is typed.
  // With args, the program is given them.
  explicit Terminal(const std::string& dir, bool nonBlocking = false,
                    std::vector<std::string> args = {}) {
    std::vector<char*> argv = {const_cast<char*>(UGRAPH_BINARY)};
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
    if (pid_ == 0) {
      if (nonBlocking) fcntl(0, F_SETFL, fcntl(0, F_GETFL) | O_NONBLOCK);
      if (chdir(dir.c_str()) == 0) execv(UGRAPH_BINARY, argv.data());
      _exit(127);
    }
  }

  // Everything the terminal was sent, as sent.
  const std::string& raw() const { return screen_; }
  ~Terminal() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    close(master_);
  }

  // Reads the screen until it ends with text; false after a timeout.
  bool waitFor(const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!endsWith(text)) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      readFor(50);
    }
    return true;
  }

  // True when nothing more is printed for a while and the program sleeps,
  // which on a terminal with no pending keys means it waits for input.
  bool blocked() {
    const std::size_t before = screen_.size();
    readFor(200);
    return screen_.size() == before && state() == 'S';
  }

  void type(const std::string& keys) const {
    ASSERT_EQ(write(master_, keys.data(), keys.size()),
              static_cast<ssize_t>(keys.size()));
  }

  // The exit status, or -1 when the program is still running after 5 s.
  int exitStatus() {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (std::chrono::steady_clock::now() < deadline) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
      }
      readFor(50);  // returns at once when the terminal has hung up
      std::this_thread::sleep_for(10ms);
    }
    return -1;
  }

  // What the terminal shows, with its line ends as plain '\n'.
  std::string screen() const {
    std::string plain;
    for (char c : screen_) {
      if (c != '\r') plain.push_back(c);
    }
    return plain;
  }

 private:
  bool endsWith(const std::string& text) const {
    const std::string s = screen();
    return s.size() >= text.size() &&
           s.compare(s.size() - text.size(), text.size(), text) == 0;
  }

  void readFor(int ms) {
    pollfd p{master_, POLLIN, 0};
    while (poll(&p, 1, ms) > 0 && (p.revents & POLLIN)) {
      char buffer[4096];
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n <= 0) return;
      screen_.append(buffer, static_cast<std::size_t>(n));
    }
  }

  char state() const {
    std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
    std::string all((std::istreambuf_iterator<char>(stat)), {});
    const std::size_t close = all.rfind(')');
    return close == std::string::npos || close + 2 >= all.size()
               ? '?'
               : all[close + 2];
  }

  pid_t pid_ = -1;
  int master_ = -1;
  bool exited_ = false;
  std::string screen_;
};

// A fresh folder, removed again at the end of the test.
class TempDir {
 public:
  TempDir() {
    char dir[] = "/tmp/ugraph-terminal-XXXXXX";
    path_ = mkdtemp(dir);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Waits for prompt, checks the program blocks there, then types answer.
void answer(Terminal& t, const std::string& prompt, const std::string& keys) {
  ASSERT_TRUE(t.waitFor(prompt)) << "never showed: " << prompt << "\n"
                                 << t.screen();
  ASSERT_TRUE(t.blocked()) << "did not wait after: " << prompt;
  t.type(keys);
}

constexpr const char* kQuestion =
    "Where is the data for the Ugraph?\n"
    "If it will be typed in on the (K)eyboard, type K\n"
    "If it is already in the GraphData (F)ile, type F\n";

TEST(TerminalTest, KeyboardRoadShowsEachPromptBeforeItsAnswer) {
  const TempDir dir;
  Terminal t(dir.path());
  answer(t, "type F\n", "k\n");
  answer(t, "input name of graph   ", "Tri\n");
  answer(t, "non-isolated nodes:  ", "3\n");
  answer(t, "(1),", "2 3\n");
  answer(t, "(2),", "3\n");
  answer(t, "(3),", "\n");
  ASSERT_TRUE(t.waitFor("Graph is connected but not a tree\n"));
  EXPECT_TRUE(t.blocked()) << "the final key wait did not wait";
  EXPECT_EQ(t.screen(),
            std::string(kQuestion) +
                "k\n"
                "Not exceeding 10 characters, input name of graph   Tri\n"
                "Input number of non-isolated nodes:  3\n"
                "Input every neighbor with higher natural number after "
                "each (node):\n"
                "(1),2 3\n"
                "(2),3\n"
                "(3),\n"
                "Ufile Tri     3 Nodes   3 Links\n"
                "Path connecting all 3 nodes:\n"
                "1 2 3 \n"
                "Graph is connected but not a tree\n");
  t.type("\n");
  EXPECT_EQ(t.exitStatus(), 0);
}

TEST(TerminalTest, FileRoadListsTheCatalogueAndWaitsForTheChoice) {
  const TempDir dir;
  std::ofstream(dir.path() + "/GraphDataFile2.txt")
      << "Free text.\n[U \"Path\", (1),2, (2),3]\n[u \"Pair\" (1) 2]\n";
  Terminal t(dir.path());
  answer(t, "type F\n", "F\n");
  answer(t, "(zero to abort):\n", "9\n");
  answer(t,
         "Number must be between 1 and 2\n"
         "Input number before the selected data-input (zero to abort):\n",
         "1\n");
  ASSERT_TRUE(t.waitFor("Graph is connected and is a tree\n"));
  EXPECT_TRUE(t.blocked());
  EXPECT_EQ(t.screen(),
            std::string(kQuestion) +
                "F\n"
                "1  [U \"Path\", (1),2, (2),3]\n\n"
                "2  [u \"Pair\" (1) 2]\n\n"
                "Input number before the selected data-input (zero to abort):\n"
                "9\n"
                "Number must be between 1 and 2\n"
                "Input number before the selected data-input (zero to abort):\n"
                "1\n"
                "Input-data from file is:\n"
                "[U \"Path\", (1),2, (2),3]\n"
                "Ufile Path     3 Nodes   2 Links\n"
                "Path connecting all 3 nodes:\n"
                "1 2 3 \n"
                "Graph is connected and is a tree\n");
  t.type("x");  // any key, even without Enter once the line is sent
  t.type("\n");
  EXPECT_EQ(t.exitStatus(), 0);
}

TEST(TerminalTest, ANonBlockingInputIsWaitedForNotTakenAsItsEnd) {
  const TempDir dir;
  Terminal t(dir.path(), true);
  answer(t, "type F\n", "k\n");
  answer(t, "input name of graph   ", "One\n");
  answer(t, "non-isolated nodes:  ", "1\n");
  answer(t, "(1),", "\n");
  ASSERT_TRUE(t.waitFor("Graph is connected and is a tree\n"));
  EXPECT_TRUE(t.blocked()) << "the final key wait did not wait";
  t.type("\n");
  EXPECT_EQ(t.exitStatus(), 0);
}

// A file of one graph read for more than a second shows its progress on
// the terminal, written over in place and cleared before the row; with
// --no-progress, nothing. The file is a FIFO that the test fills slowly.
TEST(TerminalTest, ALongReadShowsItsProgressAndClearsIt) {
  for (const bool shown : {true, false}) {
    const TempDir dir;
    const std::string fifo = dir.path() + "/links.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::vector<std::string> args = {"--count", "links.txt"};
    if (!shown) args.emplace_back("--no-progress");
    Terminal t(dir.path(), false, args);
    const int out = open(fifo.c_str(), O_WRONLY);
    ASSERT_GE(out, 0);
    const auto lines = [&](int from, int count) {
      std::string text;
      for (int i = from; i < from + count; ++i) {
        text += std::to_string(i) + " " + std::to_string(i + 1) + "\n";
      }
      ASSERT_EQ(write(out, text.data(), text.size()),
                static_cast<ssize_t>(text.size()));
    };
    lines(0, 1000);
    std::this_thread::sleep_for(1200ms);
    for (int k = 1; k <= 8; ++k) {
      lines(1000 * k, 1000);
      std::this_thread::sleep_for(50ms);
    }
    close(out);
    ASSERT_TRUE(
        t.waitFor("links.txt: 1 graph: 1 connected (1 tree, 0 cyclic), 0 not "
                  "connected, 0 with no node, 0 refused\n"))
        << t.screen();
    EXPECT_EQ(t.exitStatus(), 0);
    const std::string& raw = t.raw();
    const std::size_t line = raw.find("\rugraph: links.txt: ");
    EXPECT_EQ(line != std::string::npos, shown) << raw;
    if (shown) {
      EXPECT_NE(raw.find(" M links/s, ", line), std::string::npos) << raw;
      // Cleared before the row.
      EXPECT_NE(raw.find("\r\x1b[Klinks.txt: 1 graph"), std::string::npos)
          << raw;
    }
  }
}

}  // namespace
