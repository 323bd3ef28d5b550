#!/usr/bin/python3
# A notification server for the tests: owns org.freedesktop.Notifications on
# the session bus and writes one line per Notify to the file $1:
# app|summary|body|width x height|r,g,b of the first image pixel.
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"


class Server(dbus.service.Object):
    def __init__(self, bus, out):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.out = out
        self.last = 0

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        image = hints.get("image-data")
        size, pixel = "-", "-"
        if image is not None:
            w, h, stride, alpha, bits, channels, data = image
            size = "%dx%d" % (w, h)
            pixel = ",".join(str(int(b)) for b in data[:3])
        with open(self.out, "a") as f:
            f.write("|".join([app, summary, body, size, pixel]) + "\n")
        self.last += 1
        return self.last

    @dbus.service.method(NAME, out_signature="as")
    def GetCapabilities(self):
        return ["body"]

    @dbus.service.method(NAME, out_signature="ssss")
    def GetServerInformation(self):
        return ["tintorb-test", "tintorb", "1", "1.2"]


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
server = Server(bus, sys.argv[1])
name = dbus.service.BusName(NAME, bus)  # released when collected
open(sys.argv[1] + ".ready", "w").close()
GLib.MainLoop().run()
