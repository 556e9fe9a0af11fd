/* A Modbus RTU slave built on libmodbus, for interoperability tests: it opens a
 * pseudo-terminal pair, prints the slave side's device path on its first output line and
 * answers read holding registers / write single register on the master side until its
 * standard input closes. Register r starts with the value (r * 7 + 3) & 0xFFFF.
 *
 * usage: modbus_test_server SLAVE_ID [debug] */
#include <modbus/modbus.h>

#include <poll.h>
#include <pty.h>
#include <stdio.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    const int slave = argc > 1 ? atoi(argv[1]) : 1;
    int master = -1, other = -1;
    if (openpty(&master, &other, NULL, NULL, NULL) != 0)
        return 2;
    struct termios t;
    tcgetattr(master, &t);
    cfmakeraw(&t);
    tcsetattr(master, TCSANOW, &t);

    /* The device name is never opened: the context works on the pty master given below. */
    modbus_t *ctx = modbus_new_rtu("/dev/null", 9600, 'N', 8, 1);
    modbus_mapping_t *map = modbus_mapping_new_start_address(0, 0, 0, 0, 0, 0x10000, 0, 0);
    if (!ctx || !map || modbus_set_slave(ctx, slave) != 0 || modbus_set_socket(ctx, master) != 0)
        return 3;
    for (unsigned r = 0; r < 0x10000; ++r)
        map->tab_registers[r] = (uint16_t)((r * 7 + 3) & 0xFFFF);

    printf("%s\n", ttyname(other));
    fflush(stdout);
    if (argc > 2)
        modbus_set_debug(ctx, TRUE);

    uint8_t query[MODBUS_RTU_MAX_ADU_LENGTH];
    for (;;) {
        struct pollfd fds[2] = {{master, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0)
            break;
        if (fds[1].revents) {
            char c;
            if (read(STDIN_FILENO, &c, 1) <= 0)
                break;
        }
        if (!(fds[0].revents & POLLIN))
            continue;
        const int rc = modbus_receive(ctx, query);
        if (rc > 0)
            modbus_reply(ctx, query, rc, map);
    }
    modbus_mapping_free(map);
    modbus_free(ctx);
    close(other);
    close(master);
    return 0;
}
