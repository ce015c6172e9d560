// SPDX-License-Identifier: MIT
// A stub of TIC-80's JavaScript API for running an exported program outside the console:
// every function of the console's API list (src/api.h, TIC_API_LIST) with its number of
// required arguments, which must be there and must not be NaN. Plain ECMAScript 5, so
// Duktape runs it as well as QuickJS.
// The engine's own print, kept for the report before TIC-80's print takes its name.
var __tic80 = {frame: 0, calls: 0, report: print};

(function () {
    var global = Function('return this')();
    function define(name, required, result) {
        global[name] = function () {
            if (arguments.length < required)
                throw new Error(name + '() needs ' + required + ' arguments, got ' + arguments.length);
            for (var i = 0; i < required; ++i) {
                var v = arguments[i];
                if (v === undefined || (typeof v === 'number' && v !== v))
                    throw new Error(name + '(): argument ' + (i + 1) + ' is ' + v);
            }
            ++__tic80.calls;
            return typeof result === 'function' ? result.apply(null, arguments) : result;
        };
    }
    define('print', 1, 6);
    define('cls', 0);
    define('pix', 2, 0);
    define('line', 5);
    define('rect', 5);
    define('rectb', 5);
    define('spr', 3);
    define('btn', 0, false);
    define('btnp', 0, false);
    define('sfx', 1);
    define('map', 0);
    define('mget', 2, 0);
    define('mset', 3);
    define('peek', 1, 0);
    define('poke', 2);
    define('peek1', 1, 0);
    define('poke1', 2);
    define('peek2', 1, 0);
    define('poke2', 2);
    define('peek4', 1, 0);
    define('poke4', 2);
    define('memcpy', 3);
    define('memset', 3);
    define('trace', 1);
    define('pmem', 1, 0);
    define('time', 0, function () { return __tic80.frame * 1000 / 60; });
    define('tstamp', 0, 0);
    define('exit', 0);
    define('font', 3, 6);
    define('mouse', 0, function () { return [0, 0, false, false, false, 0, 0]; });
    define('circ', 4);
    define('circb', 4);
    define('elli', 5);
    define('ellib', 5);
    define('tri', 7);
    define('trib', 7);
    define('ttri', 12);
    define('clip', 0);
    define('music', 0);
    define('sync', 0);
    define('vbank', 0, 0);
    define('reset', 0);
    define('key', 0, false);
    define('keyp', 0, false);
    define('fget', 2, false);
    define('fset', 3);
})();
