#!/usr/bin/env python3
"""A notification server for the Linux drive's session bus: it takes
org.freedesktop.Notifications, writes each Notify it gets to the log, one line of
"<replaces_id>|<summary>|<body>", and answers with a notification id.

    e2e-linux-notifications.py LOG
"""
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"


class Notifications(dbus.service.Object):
    def __init__(self, bus, log):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.log, self.next = log, 1

    @dbus.service.method(NAME, in_signature="", out_signature="as")
    def GetCapabilities(self):
        return ["body"]

    @dbus.service.method(NAME, in_signature="", out_signature="ssss")
    def GetServerInformation(self):
        return ("zel-e2e", "zelvora", "1", "1.2")

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        with open(self.log, "a") as f:
            f.write(f"{int(replaces)}|{summary}|{body}\n")
        if replaces:
            return replaces
        self.next += 1
        return self.next


dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName(NAME, bus)
server = Notifications(bus, sys.argv[1])
GLib.MainLoop().run()
