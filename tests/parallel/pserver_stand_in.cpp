// pserver_stand_in ADDRESS OCTAVE_CLI: does for the suite's netcellfun run
// what the parallel package's octave-pserver does for a client without
// TLS, where the packaged one cannot. Debian 13's and sid's octave-pserver is built
// with _FORTIFY_SOURCE=3, and its child aborts ("*** buffer overflow
// detected ***") on every connection before it starts Octave: it copies
// "--eval" into a buffer one byte short. parallel_client.m starts this
// program only after it has seen that abort.
//
// Listens on ADDRESS (IPv4) at the ports that pconnect always uses (12502
// for commands, 12501 for data). For each command connection it starts
// OCTAVE_CLI running the package's own server function on that connection
// and on the data listener, as octave-pserver does. Runs until it is
// killed: the client runs it inside a pid namespace that ends with the
// client, and under a time limit.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr uint16_t command_port = 12502;
constexpr uint16_t data_port = 12501;

// A socket listening on HOST:PORT, or -1. The packaged server listened on
// every address a moment ago and may still be ending when we start, so a
// port in use is tried again, for at most 5 s.
int listener_at (in_addr host, uint16_t port, int socket_flags)
{
  const int listener = socket (AF_INET, SOCK_STREAM | socket_flags, 0);
  if (listener < 0)
    return -1;
  sockaddr_in address {};
  address.sin_family = AF_INET;
  address.sin_port = htons (port);
  address.sin_addr = host;
  for (int attempt = 1; bind (listener, reinterpret_cast<const sockaddr *> (&address), sizeof address) != 0;
       ++attempt)
    {
      if (errno != EADDRINUSE || attempt == 50)
        {
          close (listener);
          return -1;
        }
      usleep (100000);
    }
  if (listen (listener, SOMAXCONN) != 0)
    {
      close (listener);
      return -1;
    }
  return listener;
}

// The Octave command line of octave-pserver: the package's server on the
// accepted command connection and the (inherited) data listener, without
// TLS; the host name only names the server's error log.
std::string server_command (int connection, int data_listener, int server_number)
{
  return "pkg load parallel; __octave_server__ (" + std::to_string (connection) + ", "
         + std::to_string (data_listener) + ", false, '', 'stand-in', "
         + std::to_string (server_number) + ")";
}

}  // namespace

int main (int argc, char **argv)
{
  in_addr host {};
  if (argc != 3 || inet_pton (AF_INET, argv[1], &host) != 1)
    {
      std::fprintf (stderr, "usage: pserver_stand_in ADDRESS OCTAVE_CLI\n");
      return 2;
    }
  // Each Octave server inherits the data listener and its own command
  // connection, but not the command listener.
  const int commands = listener_at (host, command_port, SOCK_CLOEXEC);
  const int data = listener_at (host, data_port, 0);
  if (commands < 0 || data < 0)
    {
      std::perror ("pserver_stand_in: cannot listen");
      return 1;
    }
  // The servers end on their own and are never waited for; each gets the
  // default disposition back, so that its own child processes can be.
  std::signal (SIGCHLD, SIG_IGN);
  for (int server_number = 0;; ++server_number)
    {
      const int connection = accept (commands, nullptr, nullptr);
      if (connection < 0)
        {
          if (errno == EINTR)
            continue;
          std::perror ("pserver_stand_in: accept");
          return 1;
        }
      const std::string command = server_command (connection, data, server_number);
      const pid_t server = fork ();
      if (server == 0)
        {
          std::signal (SIGCHLD, SIG_DFL);
          execl (argv[2], argv[2], "--eval", command.c_str (), static_cast<char *> (nullptr));
          std::perror ("pserver_stand_in: cannot start Octave");
          _exit (127);
        }
      if (server < 0)
        std::perror ("pserver_stand_in: fork");
      close (connection);
    }
}
