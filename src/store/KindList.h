// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <tuple>
#include <type_traits>

// A fixed list of record types, walked in its order at compile time: what is done for every
// kind is written once, for a kind R, and the list supplies the kinds.
template <class... R> struct KindList {
    static constexpr std::size_t count = sizeof...(R);

    // The position of a kind in the list; a kind that is not in it does not compile.
    template <class T>
    static constexpr std::size_t indexOf = [] {
        static_assert((std::is_same_v<T, R> || ...), "not a kind of this list");
        constexpr std::array<bool, count> same{std::is_same_v<T, R>...};
        std::size_t at = 0;
        while (!same[at])
            ++at;
        return at;
    }();

    // One value for each kind, of one type, at the kind's position.
    template <class V> using Array = std::array<V, count>;
    // One value for each kind, of a type made from the kind.
    template <template <class> class W> using Tuple = std::tuple<W<R>...>;

    // f.template operator()<R>() for each kind in order.
    template <class F> static void forEach(F &&f) { (f.template operator()<R>(), ...); }
    // Calls each kind in order while they return true; true when all did.
    template <class F> static bool all(F &&f) { return (f.template operator()<R>() && ...); }
    // Calls each kind in order until one returns true; true when one did.
    template <class F> static bool any(F &&f) { return (f.template operator()<R>() || ...); }
    // f.template operator()<R>() for the kind at that position; nothing past the end.
    template <class F> static void at(std::size_t index, F &&f)
    {
        std::size_t position = 0;
        ((position++ == index ? (f.template operator()<R>(), true) : false) || ...);
    }
};
