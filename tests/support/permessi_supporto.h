#pragma once

// While it lives, the calling thread obeys file permissions as an ordinary
// user does, also when the tests run as root (as in a CI container): the
// capabilities that let root read, write and change any file are taken out
// of the thread's effective set, and put back at the end. Everything the
// tests drive runs on the GUI thread, which is the one to call it from.
class PermessiDaUtente
{
public:
    PermessiDaUtente();
    ~PermessiDaUtente();
    PermessiDaUtente(const PermessiDaUtente &) = delete;
    PermessiDaUtente &operator=(const PermessiDaUtente &) = delete;

    // False when the capabilities could not be dropped: a check that
    // depends on permissions would then prove nothing.
    bool attivi() const { return m_attivi; }

private:
    bool m_attivi = false;
    bool m_ripristina = false;
    unsigned m_effettive[2] = {0, 0};
};
